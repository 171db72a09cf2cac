// CGroup: the install group dialog.
#include "wizard/ui/group_dlg.h"

#include "platform/ui/ok_cancel_buttons.h"
#include "wizard/core/page_store.h"
#include "wizard/ui/wizard_widgets.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CGroup::CGroup(Prompter& prompter, bool editing, const QString& name, const QString& description, QWidget* parent)
    : QDialog(parent),
      m_prompter(prompter),
      m_name(new QLineEdit(name, this)),
      m_description(new QPlainTextEdit(description, this)) {
    setWindowTitle(editing ? u"编辑安装组"_s : u"新建安装组"_s);
    m_name->setObjectName(u"groupName"_s);
    m_description->setObjectName(u"groupDescription"_s);
    m_description->setTabChangesFocus(true);
    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"安装组名称："_s, this));
    layout->addWidget(m_name);
    layout->addWidget(new QLabel(u"安装组描述："_s, this));
    layout->addWidget(m_description, 1);
    layout->addWidget(buttons);
    m_name->setFocus();
    m_name->selectAll();
}

QString CGroup::Name() const { return m_name->text().trimmed(); }

QString CGroup::Description() const { return m_description->toPlainText(); }

void CGroup::accept() {
    if (const StoreResult refused = CheckGroupName(m_name->text())) {
        ShowRefusal(m_prompter, *refused, m_name);
        return;
    }
    QDialog::accept();
}
