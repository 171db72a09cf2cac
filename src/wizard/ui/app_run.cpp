// CAppRun: wizard page 6.
#include "wizard/ui/app_run.h"

#include "wizard/core/page_controls.h"
#include "wizard/core/shortcut_rules.h"
#include "wizard/ui/wizard_widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// New choices for the list. A choice made before stays only while it is still
// offered: a program removed on the files page must not be run at the end.
void Refill(QComboBox* list, const QStringList& items) {
    const QString chosen = list->currentText();
    list->clear();
    list->addItems(items);
    list->setEditText(items.contains(chosen) ? chosen : QString());
}
}  // namespace

CAppRun::CAppRun(WizardData& data, Prompter& prompter, QWidget* parent)
    : CWizardPage(data, prompter, u"安装完成之后运行 (6/8)"_s, parent),
      m_program(EditableList({}, this)),
      m_parameters(new QLineEdit(this)),
      m_readme(EditableList({}, this)) {
    m_program->setObjectName(u"runProgram"_s);
    m_parameters->setObjectName(u"runParameters"_s);
    m_readme->setObjectName(u"readmeFile"_s);
    auto* form = new QFormLayout;
    form->addRow(u"要运行的程序："_s, m_program);
    form->addRow(u"运行程序参数："_s, m_parameters);
    form->addRow(u"打开自述文件："_s, m_readme);
    Body()->addLayout(form);
    Body()->addStretch(1);
}

bool CAppRun::Enter() {
    const bool enabled = CanRunAfterInstall(Data().uiKind);
    Refill(m_program, enabled ? ExecutablePaths(Data().groups) : QStringList());
    Refill(m_readme, enabled ? ReadmePaths(Data().groups) : QStringList());
    for (QWidget* control :
         {static_cast<QWidget*>(m_program), static_cast<QWidget*>(m_parameters), static_cast<QWidget*>(m_readme)})
        control->setEnabled(enabled);
    return true;
}

bool CAppRun::Store() {
    StoreAppRun(Data(), m_program->currentText(), m_parameters->text(), m_readme->currentText());
    return true;
}
