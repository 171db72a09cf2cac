// CStatPanel: the statistics panel of wizard page 8 and the insert dialog: numbers list, sign-in, number and version.
#include "online/ui/stat_panel.h"

#include "online/core/user_info.h"
#include "online/ui/user_login_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int kNumberColumn = 1;
}  // namespace

CStatPanel::CStatPanel(IUserInfo& user, Prompter& prompter, const OnlineServers& servers, QWidget* parent)
    : QWidget(parent), m_user(user), m_prompter(prompter), m_servers(servers), m_list(new QTreeWidget(this)),
      m_number(new QLineEdit(this)), m_version(new QLineEdit(this)), m_signIn(new QPushButton(u"用户登录"_s, this)),
      m_signedOutBefore(new QLabel(u"(未登录，"_s, this)), m_signedOutAfter(new QLabel(u"获取统计编号)"_s, this)),
      m_signedInHint(new QLabel(u"(点击统计编号列表项，选择统计编号)"_s, this)) {
    m_list->setObjectName(u"statList"_s);
    m_number->setObjectName(u"statNumber"_s);
    m_version->setObjectName(u"installVersion"_s);
    m_signIn->setObjectName(u"signIn"_s);
    m_list->setHeaderLabels({u"序号"_s, u"统计编号"_s, u"安装名称"_s});
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 50);
    m_list->setColumnWidth(kNumberColumn, 130);

    auto* signInRow = new QHBoxLayout;
    signInRow->setSpacing(2);
    for (QWidget* part : std::initializer_list<QWidget*>{m_signedOutBefore, m_signIn, m_signedOutAfter, m_signedInHint})
        signInRow->addWidget(part);
    signInRow->addStretch();
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(u"安装统计编号："_s, this), 0, 0);
    form->addWidget(m_number, 0, 1);
    form->addLayout(signInRow, 0, 2);
    form->addWidget(new QLabel(u"安装包版本号："_s, this), 1, 0);
    form->addWidget(m_version, 1, 1);
    form->addWidget(new QLabel(u"(统计不同版本的安装情况，格式如：2.0.1.2的4组数字)"_s, this), 1, 2);
    form->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(u"我的统计编号列表："_s, this));
    layout->addWidget(m_list, 1);
    layout->addLayout(form);

    connect(m_signIn, &QPushButton::clicked, this, &CStatPanel::OnSignIn);
    connect(m_list, &QTreeWidget::itemClicked, this, &CStatPanel::OnRowClicked);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* row) {
        OnRowClicked(row);
        Q_EMIT RowActivated();
    });
    const bool signedIn = m_user.CheckLogin() == 0;
    ShowSignedIn(signedIn);
    if (signedIn)
        RefreshList();
}

QString CStatPanel::ItemName(const QString& number) const {
    for (const StatItem& item : m_items) {
        if (item.number == number)
            return item.name;
    }
    return {};
}

void CStatPanel::FocusNumber() {
    m_number->setEnabled(true);
    m_number->setFocus();
    m_number->selectAll();
}

void CStatPanel::ShowSignedIn(bool signedIn) {
    for (QWidget* part : std::initializer_list<QWidget*>{m_signedOutBefore, m_signIn, m_signedOutAfter})
        part->setVisible(!signedIn);
    m_signedInHint->setVisible(signedIn);
}

void CStatPanel::RefreshList() {
    m_user.GetStatList(this, [this](int code, const QList<StatItem>& items) {
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
    CUserLogin dialog(m_user, m_prompter, m_servers, this);
    dialog.exec();
    if (dialog.LastCode() != 0 || m_user.CheckLogin() != 0)
        return;
    ShowSignedIn(true);
    RefreshList();
}

void CStatPanel::OnRowClicked(QTreeWidgetItem* row) {
    if (row)
        m_number->setText(row->text(kNumberColumn));
}
