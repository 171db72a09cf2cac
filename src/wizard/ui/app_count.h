// CAppCount: wizard page 8, the installer's statistics number and version.
#pragma once

#include "wizard/ui/wizard_page.h"

class CStatNumberPanel;
class CStatPanel;
struct StatService;

class CAppCount : public CWizardPage {
    Q_OBJECT
public:
    // Without the statistics service the page is a plain form.
    CAppCount(WizardData& data, Prompter& prompter, const StatService* service, QWidget* parent);
    bool Enter() override;
    bool Store() override;

private:
    CStatNumberPanel* m_panel;
    CStatPanel* m_service = nullptr;
};
