// CLinkList: the shortcut dialog.
#include "wizard/ui/link_list_dlg.h"

#include "platform/ui/ok_cancel_buttons.h"
#include "wizard/core/page_store.h"
#include "wizard/ui/wizard_widgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CLinkList::CLinkList(Prompter& prompter, QList<ShortcutItem>& rows, int row, const QStringList& targets,
                     QWidget* parent)
    : QDialog(parent),
      m_prompter(prompter),
      m_rows(rows),
      m_row(row),
      m_link(
          EditableList({u"$ICONS_GROUP"_s, u"$DESKTOP"_s, u"$STARTMENU"_s, u"$SMPROGRAMS"_s, u"$QUICKLAUNCH"_s}, this)),
      m_target(EditableList(targets, this)) {
    const bool editing = row >= 0 && row < rows.size();
    setWindowTitle(editing ? u"编辑快捷方式"_s : u"添加快捷方式"_s);
    m_link->setObjectName(u"linkPath"_s);
    m_target->setObjectName(u"linkTarget"_s);
    if (editing) {
        m_link->setEditText(rows[row].linkPath);
        m_target->setEditText(rows[row].target);
    }
    auto* form = new QFormLayout;
    form->addRow(u"快捷方式："_s, m_link);
    form->addRow(u"目的文件："_s, m_target);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_link->setMinimumWidth(m_link->fontMetrics().averageCharWidth() * 40);
}

void CLinkList::accept() {
    if (const StoreResult refused = StoreShortcutRow(m_rows, m_row, m_link->currentText(), m_target->currentText())) {
        ShowRefusal(m_prompter, *refused, refused->field == WizardField::LinkPath ? m_link : m_target);
        return;
    }
    QDialog::accept();
}
