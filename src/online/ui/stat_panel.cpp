// CStatPanel: the statistics service's part of wizard page 8 and the insert dialog: the numbers list and the sign-in.
#include "online/ui/stat_panel.h"

#include "online/core/user_info.h"
#include "online/ui/user_login_dlg.h"
#include "wizard/ui/stat_number_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int kNumberColumn = 1;
}  // namespace

CStatPanel::CStatPanel(const StatService& service, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      m_service(service),
      m_prompter(prompter),
      m_list(new QTreeWidget(this)),
      m_signIn(new QPushButton(u"用户登录"_s, this)),
      m_signedOutBefore(new QLabel(u"(未登录，"_s, this)),
      m_signedOutAfter(new QLabel(u"获取统计编号)"_s, this)),
      m_signedInHint(new QLabel(u"(点击统计编号列表项，选择统计编号)"_s, this)) {
    m_list->setObjectName(u"statList"_s);
    m_signIn->setObjectName(u"signIn"_s);
    m_list->setHeaderLabels({u"序号"_s, u"统计编号"_s, u"安装名称"_s});
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(true);
    // Room for the header and a number of the service's usual length, at any font size.
    const QFontMetrics metrics = m_list->fontMetrics();
    m_list->setColumnWidth(0, metrics.horizontalAdvance(u"序号"_s) * 2);
    m_list->setColumnWidth(kNumberColumn, metrics.horizontalAdvance(u"WWWWWWWWWWWW"_s));

    auto* signInRow = new QHBoxLayout;
    signInRow->setSpacing(2);
    for (QWidget* part : std::initializer_list<QWidget*>{m_signedOutBefore, m_signIn, m_signedOutAfter, m_signedInHint})
        signInRow->addWidget(part);
    signInRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(u"我的统计编号列表："_s, this));
    layout->addWidget(m_list, 1);
    layout->addLayout(signInRow);

    connect(m_signIn, &QPushButton::clicked, this, &CStatPanel::OnSignIn);
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* row) { Q_EMIT NumberPicked(row->text(kNumberColumn)); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* row) { Q_EMIT NumberActivated(row->text(kNumberColumn)); });
    const bool signedIn = m_service.user.CheckLogin() == 0;
    ShowSignedIn(signedIn);
    if (signedIn)
        RefreshList();
}

CStatPanel* CStatPanel::Attach(CStatNumberPanel& form, const StatService& service, Prompter& prompter) {
    auto* panel = new CStatPanel(service, prompter, &form);
    form.ServicePlace()->addWidget(panel);
    connect(panel, &CStatPanel::NumberPicked, &form, &CStatNumberPanel::SetNumber);
    connect(panel, &CStatPanel::NumberActivated, &form, &CStatNumberPanel::SetNumber);
    return panel;
}

StatListMaker CStatPanel::Maker(const StatService& service, Prompter& prompter) {
    return [&service, &prompter](CStatNumberPanel& form) -> IStatList* { return Attach(form, service, prompter); };
}

QString CStatPanel::ItemName(const QString& number) const {
    for (const StatItem& item : m_items) {
        if (item.number == number)
            return item.name;
    }
    return {};
}

void CStatPanel::ShowSignedIn(bool signedIn) {
    for (QWidget* part : std::initializer_list<QWidget*>{m_signedOutBefore, m_signIn, m_signedOutAfter})
        part->setVisible(!signedIn);
    m_signedInHint->setVisible(signedIn);
}

void CStatPanel::RefreshList() {
    m_service.user.GetStatList(this, [this](int code, const QList<StatItem>& items) {
        // A failed request leaves the list empty.
        FillList(code == 0 ? items : QList<StatItem>());
    });
}

void CStatPanel::FillList(const QList<StatItem>& items) {
    m_items = items;
    m_list->clear();
    for (qsizetype i = 0; i < items.size(); ++i)
        new QTreeWidgetItem(m_list, {QString::number(i + 1), items[i].number, items[i].name});
}

void CStatPanel::OnSignIn() {
    CUserLogin dialog(m_service.user, m_prompter, m_service.servers, this);
    dialog.exec();
    if (dialog.LastCode() != 0 || m_service.user.CheckLogin() != 0)
        return;
    ShowSignedIn(true);
    RefreshList();
}
