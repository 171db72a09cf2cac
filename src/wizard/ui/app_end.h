// CAppEnd: the wizard's last page, whether to save and compile the new script right away.
#pragma once

#include "wizard/ui/wizard_page.h"

class QCheckBox;

class CAppEnd : public CWizardPage {
    Q_OBJECT
public:
    CAppEnd(WizardData& data, Prompter& prompter, QWidget* parent);
    bool Store() override;

private:
    QCheckBox* m_save;
    QCheckBox* m_compile;
};
