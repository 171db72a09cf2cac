// CAppRun: wizard page 6, what the finish page runs or opens after installing.
#pragma once

#include "wizard/ui/wizard_page.h"

class QComboBox;
class QLineEdit;

class CAppRun : public CWizardPage {
    Q_OBJECT
public:
    CAppRun(WizardData& data, Prompter& prompter, QWidget* parent);
    bool Enter() override;
    bool Store() override;

private:
    QComboBox* m_program;
    QLineEdit* m_parameters;
    QComboBox* m_readme;
};
