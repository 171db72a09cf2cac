// CAppFile: wizard page 4.
#include "wizard/ui/app_file.h"

#include "platform/prompter.h"
#include "wizard/core/install_entries.h"
#include "wizard/ui/file_list_dlg.h"
#include "wizard/ui/group_dlg.h"
#include "wizard/ui/wizard_widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// Tool buttons stay as narrow as their signs at any font size.
QToolButton* SmallButton(const QString& text, const QString& name, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return button;
}

QVBoxLayout* ButtonColumn(std::initializer_list<QToolButton*> buttons) {
    auto* column = new QVBoxLayout;
    for (QToolButton* button : buttons)
        column->addWidget(button);
    column->addStretch(1);
    return column;
}
}  // namespace

CAppFile::CAppFile(WizardData& data, Prompter& prompter, QWidget* parent)
    : CWizardPage(data, prompter, u"应用程序安装文件 (4/8)"_s, parent),
      m_groups(new QListWidget(this)),
      m_description(new QLabel(this)),
      m_files(new QTreeWidget(this)),
      m_allowComponents(new QCheckBox(u"允许用户选择要安装的组件"_s, this)) {
    m_groups->setObjectName(u"groups"_s);
    m_description->setObjectName(u"groupDescriptionView"_s);
    m_description->setWordWrap(true);
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setTextFormat(Qt::PlainText);
    m_description->setMinimumHeight(m_description->fontMetrics().lineSpacing() * 3);
    m_files->setObjectName(u"files"_s);
    m_files->setHeaderLabels({u"安装文件"_s, u"目的目录"_s});
    m_files->setRootIsDecorated(false);
    m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_allowComponents->setObjectName(u"allowComponents"_s);
    m_allowComponents->setChecked(data.allowComponents);

    auto* newGroup = SmallButton(u"+"_s, u"newGroup"_s, u"新建安装组"_s, this);
    auto* editGroup = SmallButton(u"="_s, u"editGroup"_s, u"编辑安装组"_s, this);
    auto* deleteGroup = SmallButton(u"-"_s, u"deleteGroup"_s, u"删除安装组"_s, this);
    auto* addFiles = SmallButton(u"+"_s, u"addFiles"_s, u"添加安装文件"_s, this);
    auto* addDirectory = SmallButton(u"++"_s, u"addDirectory"_s, u"添加安装目录"_s, this);
    auto* editEntry = SmallButton(u"="_s, u"editEntry"_s, u"编辑"_s, this);
    auto* deleteEntries = SmallButton(u"-"_s, u"deleteEntries"_s, u"删除"_s, this);
    connect(newGroup, &QToolButton::clicked, this, &CAppFile::NewGroup);
    connect(editGroup, &QToolButton::clicked, this, &CAppFile::EditGroup);
    connect(deleteGroup, &QToolButton::clicked, this, &CAppFile::DeleteGroup);
    connect(addFiles, &QToolButton::clicked, this, [this] { AddEntries(EntryKind::Files); });
    connect(addDirectory, &QToolButton::clicked, this, [this] { AddEntries(EntryKind::Directory); });
    connect(editEntry, &QToolButton::clicked, this, &CAppFile::EditEntry);
    connect(deleteEntries, &QToolButton::clicked, this, &CAppFile::DeleteEntries);
    connect(m_groups, &QListWidget::currentRowChanged, this, &CAppFile::ShowGroup);
    connect(m_groups, &QListWidget::itemDoubleClicked, this, &CAppFile::EditGroup);
    connect(m_files, &QTreeWidget::itemDoubleClicked, this, &CAppFile::EditEntry);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(u"安装组："_s, this), 0, 0);
    grid->addWidget(new QLabel(u"安装组描述："_s, this), 0, 2, 1, 2);
    grid->addWidget(m_groups, 1, 0);
    grid->addLayout(ButtonColumn({newGroup, editGroup, deleteGroup}), 1, 1);
    grid->addWidget(m_description, 1, 2, 1, 2);
    grid->addWidget(new QLabel(u"安装文件："_s, this), 2, 0, 1, 3);
    grid->addWidget(m_files, 3, 0, 1, 3);
    grid->addLayout(ButtonColumn({addFiles, addDirectory, editEntry, deleteEntries}), 3, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(3, 3);
    Body()->addLayout(grid, 1);
    Body()->addWidget(m_allowComponents);
    ShowGroups(0);
}

InstallGroup* CAppFile::CurrentGroup() const {
    const int row = m_groups->currentRow();
    return row >= 0 && row < Data().groups.size() ? &Data().groups[row] : nullptr;
}

void CAppFile::ShowGroups(int current) {
    QSignalBlocker block(m_groups);
    m_groups->clear();
    for (const InstallGroup& group : Data().groups)
        m_groups->addItem(group.name);
    m_groups->setCurrentRow(current);
    ShowGroup();
}

void CAppFile::ShowGroup() {
    m_files->clear();
    const InstallGroup* group = CurrentGroup();
    m_description->setText(group ? group->description : QString());
    if (!group)
        return;
    QList<QTreeWidgetItem*> rows;
    rows.reserve(group->files.size());
    for (const InstallFile& file : group->files)
        rows.append(new QTreeWidgetItem(QStringList{file.source, file.destDir}));
    m_files->addTopLevelItems(rows);
}

void CAppFile::NewGroup() {
    OpenSmallDialog(new CGroup(Ask(), false, {}, {}, this), [this](const CGroup& dialog) {
        Data().groups.append(InstallGroup{dialog.Name(), dialog.Description(), {}});
        ShowGroups(int(Data().groups.size()) - 1);
    });
}

void CAppFile::EditGroup() {
    const InstallGroup* group = CurrentGroup();
    if (!group)
        return;
    const int row = m_groups->currentRow();
    OpenSmallDialog(new CGroup(Ask(), true, group->name, group->description, this), [this, row](const CGroup& dialog) {
        if (row >= Data().groups.size())
            return;
        Data().groups[row].name = dialog.Name();
        Data().groups[row].description = dialog.Description();
        ShowGroups(row);
    });
}

void CAppFile::DeleteGroup() {
    if (!CanDeleteGroup(Data().groups) || !CurrentGroup())
        return;
    if (Ask().Ask(u"您确认要删除该组吗?"_s, u"安装组管理"_s, PromptIcon::Question, PromptButtons::YesNo)
        != PromptAnswer::Yes)
        return;
    ShowGroups(::DeleteGroup(Data().groups, m_groups->currentRow()));
}

void CAppFile::OpenEntryDialog(const EntryInput& input, bool editing, std::function<void(const EntryInput&)> done,
                               const QStringList& otherSources) {
    OpenSmallDialog(new CFileList(Ask(), input, editing, this, otherSources),
                    [done = std::move(done)](const CFileList& dialog) { done(dialog.Input()); });
}

void CAppFile::AddEntries(EntryKind kind) {
    if (!CurrentGroup())
        return;
    EntryInput input;
    input.kind = kind;
    const int row = m_groups->currentRow();
    OpenEntryDialog(input, false, [this, row](const EntryInput& chosen) {
        if (row >= Data().groups.size())
            return;
        ::AddEntries(Data().groups[row], EntriesFrom(chosen));
        ShowGroups(row);
    });
}

void CAppFile::EditEntry() {
    const InstallGroup* group = CurrentGroup();
    const int entry = m_files->indexOfTopLevelItem(m_files->currentItem());
    if (!group || entry < 0 || entry >= group->files.size())
        return;
    const int row = m_groups->currentRow();
    QStringList otherSources;
    for (qsizetype i = 0; i < group->files.size(); ++i) {
        if (i != entry)
            otherSources << group->files[i].source;
    }
    OpenEntryDialog(
        InputOf(group->files[entry]), true,
        [this, row, entry](const EntryInput& chosen) {
            if (row >= Data().groups.size())
                return;
            ReplaceEntry(Data().groups[row], entry, EntriesFrom(chosen));
            ShowGroups(row);
        },
        otherSources);
}

void CAppFile::DeleteEntries() {
    InstallGroup* group = CurrentGroup();
    if (!group)
        return;
    QList<int> rows;
    for (QTreeWidgetItem* item : m_files->selectedItems())
        rows.append(m_files->indexOfTopLevelItem(item));
    RemoveEntries(*group, rows);
    ShowGroup();
}

bool CAppFile::Store() {
    StoreAppFile(Data(), m_allowComponents->isChecked());
    return true;
}
