// CAppCount: wizard page 8, the installer's statistics number and version.
#pragma once

#include "wizard/ui/wizard_page.h"

class CStatNumberPanel;

class CAppCount : public CWizardPage {
    Q_OBJECT
public:
    CAppCount(WizardData& data, Prompter& prompter, QWidget* parent);
    bool Enter() override;
    bool Store() override;

private:
    CStatNumberPanel* m_panel;
};
