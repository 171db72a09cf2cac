// CFileList: the dialog of install files and directories.
#include "wizard/ui/file_list_dlg.h"

#include "platform/prompter.h"
#include "platform/ui/ok_cancel_buttons.h"
#include "wizard/core/page_store.h"
#include "wizard/ui/wizard_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QStringList kDestinations = {
    u"$INSTDIR"_s,     u"$PROGRAMFILES"_s, u"$TEMP"_s,       u"$DESKTOP"_s,        u"$SYSDIR"_s,
    u"$EXEDIR"_s,      u"$WINDIR"_s,       u"$STARTMENU"_s,  u"$SMPROGRAMS"_s,     u"$QUICKLAUNCH"_s,
    u"$COMMONFILES"_s, u"$DOCUMENTS"_s,    u"$SENDTO"_s,     u"$RECENT"_s,         u"$FAVORITES"_s,
    u"$MUSIC"_s,       u"$PICTURES"_s,     u"$VIDEOS"_s,     u"$NETHOOD"_s,        u"$FONTS"_s,
    u"$TEMPLATES"_s,   u"$APPDATA"_s,      u"$PRINTHOOD"_s,  u"$INTERNET_CACHE"_s, u"$COOKIES"_s,
    u"$HISTORY"_s,     u"$PROFILE"_s,      u"$ADMINTOOLS"_s, u"$RESOURCES"_s,      u"$RESOURCES_LOCALIZED"_s,
    u"$CDBURN_AREA"_s};

QString TitleOf(EntryKind kind, bool editing) {
    if (kind == EntryKind::Files)
        return editing ? u"编辑安装文件"_s : u"添加安装文件"_s;
    return editing ? u"编辑安装目录"_s : u"添加安装目录"_s;
}
}  // namespace

CFileList::CFileList(Prompter& prompter, const EntryInput& input, bool editing, QWidget* parent,
                     const QStringList& otherSources)
    : QDialog(parent),
      m_prompter(prompter),
      m_kind(input.kind),
      m_otherSources(otherSources),
      m_chosen(input.chosenFiles),
      m_source(new QLineEdit(input.source, this)),
      m_destDir(EditableList(kDestinations, this)),
      m_recursive(new QCheckBox(u"包含子目录"_s, this)),
      m_eachFile(new QCheckBox(u"单独添加每个文件"_s, this)) {
    setWindowTitle(TitleOf(m_kind, editing));
    m_source->setObjectName(u"source"_s);
    m_destDir->setObjectName(u"destDir"_s);
    m_destDir->setEditText(input.destDir);
    m_recursive->setObjectName(u"recursive"_s);
    m_recursive->setChecked(input.recursive);
    m_eachFile->setObjectName(u"eachFile"_s);
    m_eachFile->setChecked(input.eachFile);
    const bool directory = m_kind == EntryKind::Directory;
    m_recursive->setEnabled(directory);
    m_eachFile->setEnabled(directory && !editing);

    auto* modes = new QGroupBox(u"覆盖方式"_s, this);
    auto* modeGrid = new QGridLayout(modes);
    // In the order of OverwriteMode.
    for (const QString& text : {u"总是覆盖"_s, u"从不覆盖"_s, u"试图覆盖"_s, u"较新时覆盖"_s}) {
        auto* button = new QRadioButton(text, modes);
        modeGrid->addWidget(button, int(m_modeButtons.size()) / 2, int(m_modeButtons.size()) % 2);
        m_modeButtons.append(button);
    }
    m_modeButtons.value(int(input.overwrite), m_modeButtons.last())->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(directory ? u"选择源目录："_s : u"选择源文件："_s,
                 BrowseRow(
                     m_source, [this] { Browse(); }, this));
    form->addRow(u"目的目录："_s, m_destDir);
    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(modes);
    layout->addWidget(m_recursive);
    layout->addWidget(m_eachFile);
    layout->addWidget(buttons);
    // Paths are long: leave room to read them.
    m_source->setMinimumWidth(m_source->fontMetrics().averageCharWidth() * 48);
}

void CFileList::Browse() {
    if (m_kind == EntryKind::Directory) {
        const QString dir = m_prompter.FolderName(u"请选择目录"_s, m_source->text().trimmed());
        if (!dir.isEmpty())
            m_source->setText(dir);
        return;
    }
    const QStringList files = m_prompter.OpenFileNames({u"请选择文件"_s, {}, {}, u"所有文件(*)"_s, {}}, true);
    if (files.isEmpty())
        return;
    // Shown joined, but kept as the list: a Linux file name may hold ";".
    m_chosen = files;
    m_source->setText(files.join(u';'));
}

EntryInput CFileList::Input() const {
    EntryInput input;
    input.kind = m_kind;
    input.source = m_source->text();
    input.chosenFiles = m_chosen;
    input.destDir = m_destDir->currentText();
    for (int i = 0; i < m_modeButtons.size(); ++i) {
        if (m_modeButtons[i]->isChecked())
            input.overwrite = static_cast<OverwriteMode>(i);
    }
    input.recursive = m_recursive->isEnabled() && m_recursive->isChecked();
    input.eachFile = m_eachFile->isEnabled() && m_eachFile->isChecked();
    return input;
}

void CFileList::accept() {
    if (const StoreResult refused = CheckEntryInput(Input())) {
        ShowRefusal(m_prompter, *refused, m_destDir);
        return;
    }
    // An edited entry that became another row's file would vanish into that row.
    const QString taken =
        m_otherSources.isEmpty() ? QString() : FirstListedSource(EntriesFrom(Input()), m_otherSources);
    if (!taken.isEmpty()) {
        ShowRefusal(m_prompter, {u"该安装组中已有此文件：\n%1"_s.arg(taken), u"安装组管理"_s, {}}, m_source);
        return;
    }
    QDialog::accept();
}
