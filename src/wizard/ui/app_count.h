// CAppCount: wizard page 8, the installer's statistics number and version.
#pragma once

#include "wizard/ui/stat_list.h"
#include "wizard/ui/wizard_page.h"

class CAppCount : public CWizardPage {
    Q_OBJECT
public:
    // Without a statistics list the page is a plain form.
    CAppCount(WizardData& data, Prompter& prompter, const StatListMaker& makeList, QWidget* parent);
    bool Enter() override;
    bool Store() override;

private:
    CStatNumberPanel* m_panel;
    IStatList* m_list = nullptr;
};
