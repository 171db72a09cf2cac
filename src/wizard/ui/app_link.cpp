// CAppLink: wizard page 5.
#include "wizard/ui/app_link.h"

#include "wizard/core/list_rows.h"
#include "wizard/core/page_controls.h"
#include "wizard/core/shortcut_rules.h"
#include "wizard/ui/link_list_dlg.h"
#include "wizard/ui/wizard_widgets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAppLink::CAppLink(WizardData& data, Prompter& prompter, QWidget* parent)
    : CWizardPage(data, prompter, u"应用程序快捷方式 (5/8)"_s, parent),
      m_folder(new QLineEdit(this)),
      m_allowChange(new QCheckBox(u"允许用户更改“开始菜单”文件夹名称"_s, this)),
      m_webShortcut(new QCheckBox(u"在“开始菜单”文件夹创建网站快捷方式"_s, this)),
      m_uninstShortcut(new QCheckBox(u"在“开始菜单”文件夹创建卸载程序快捷方式"_s, this)),
      m_shortcuts(new QTreeWidget(this)) {
    m_folder->setObjectName(u"startMenuFolder"_s);
    m_allowChange->setObjectName(u"allowStartMenuChange"_s);
    m_allowChange->setChecked(data.allowStartMenuChange);
    m_webShortcut->setObjectName(u"webShortcut"_s);
    m_webShortcut->setChecked(data.webShortcut);
    m_uninstShortcut->setObjectName(u"uninstShortcut"_s);
    m_uninstShortcut->setChecked(data.uninstShortcut);
    m_shortcuts->setObjectName(u"shortcuts"_s);
    m_shortcuts->setHeaderLabels({u"快捷方式"_s, u"目的文件"_s});
    m_shortcuts->setRootIsDecorated(false);
    m_shortcuts->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_shortcuts->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_shortcuts, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { OpenLinkDialog(m_shortcuts->indexOfTopLevelItem(item)); });

    auto* add = new QPushButton(u"添加"_s, this);
    add->setObjectName(u"addShortcut"_s);
    auto* edit = new QPushButton(u"编辑"_s, this);
    edit->setObjectName(u"editShortcut"_s);
    auto* remove = new QPushButton(u"删除"_s, this);
    remove->setObjectName(u"deleteShortcuts"_s);
    connect(add, &QPushButton::clicked, this, [this] { OpenLinkDialog(-1); });
    connect(edit, &QPushButton::clicked, this, [this] {
        const int row = m_shortcuts->indexOfTopLevelItem(m_shortcuts->currentItem());
        if (row >= 0)
            OpenLinkDialog(row);
    });
    connect(remove, &QPushButton::clicked, this, &CAppLink::DeleteShortcuts);

    auto* form = new QFormLayout;
    form->addRow(u"“开始菜单”文件夹名称："_s, m_folder);
    Body()->addLayout(form);
    for (QCheckBox* box : {m_allowChange, m_webShortcut, m_uninstShortcut})
        Body()->addWidget(box);
    auto* list = new QHBoxLayout;
    list->addWidget(m_shortcuts, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add, edit, remove})
        buttons->addWidget(button);
    buttons->addStretch(1);
    list->addLayout(buttons);
    Body()->addLayout(list, 1);
}

bool CAppLink::Enter() {
    EnterShortcutPage(Data());
    m_folder->setText(Data().startMenuFolder);
    m_allowChange->setEnabled(CanChangeStartMenu(Data().uiKind));
    m_webShortcut->setEnabled(CanLinkWebSite(Data().appWebSite));
    ShowShortcuts();
    return true;
}

void CAppLink::ShowShortcuts() {
    m_shortcuts->clear();
    for (const ShortcutItem& item : Data().shortcuts)
        m_shortcuts->addTopLevelItem(new QTreeWidgetItem(QStringList{item.linkPath, item.target}));
}

void CAppLink::OpenLinkDialog(int row) {
    OpenSmallDialog(new CLinkList(Ask(), Data().shortcuts, row, ExecutablePaths(Data().groups), this),
                    [this](const CLinkList&) { ShowShortcuts(); });
}

void CAppLink::DeleteShortcuts() {
    QList<int> rows;
    for (QTreeWidgetItem* item : m_shortcuts->selectedItems())
        rows.append(m_shortcuts->indexOfTopLevelItem(item));
    RemoveRows(Data().shortcuts, rows);
    ShowShortcuts();
}

bool CAppLink::Store() {
    StoreAppLink(
        Data(),
        {m_folder->text(), m_allowChange->isChecked(), m_webShortcut->isChecked(), m_uninstShortcut->isChecked()});
    return true;
}
