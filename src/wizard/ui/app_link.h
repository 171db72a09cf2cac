// CAppLink: wizard page 5, the start menu folder and the shortcuts.
#pragma once

#include "wizard/ui/wizard_page.h"

class QCheckBox;
class QLineEdit;
class QTreeWidget;

class CAppLink : public CWizardPage {
    Q_OBJECT
public:
    CAppLink(WizardData& data, Prompter& prompter, QWidget* parent);
    bool Enter() override;
    bool Store() override;

private:
    void ShowShortcuts();
    void OpenLinkDialog(int row);
    void DeleteShortcuts();

    QLineEdit* m_folder;
    QCheckBox* m_allowChange;
    QCheckBox* m_webShortcut;
    QCheckBox* m_uninstShortcut;
    QTreeWidget* m_shortcuts;
};
