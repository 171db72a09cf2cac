// CMainDlg: the new-script wizard: its ten pages, Back, Next, Finish and Cancel, and the record they fill.
#pragma once

#include "wizard/core/installed_nsis.h"
#include "wizard/core/wizard_data.h"
#include "wizard/ui/stat_list.h"

#include <QDialog>
#include <vector>

class CWizardPage;
class Prompter;
class QPushButton;
class QStackedWidget;

// What a finished wizard hands to the shell.
struct WizardResult {
    QString script;
    bool saveScript = false;
    bool compileScript = false;
};

class CMainDlg : public QDialog {
    Q_OBJECT
public:
    // data: the description the pages start from; nsis: the compiler the script is meant for;
    // makeList: the statistics list of page 8, none for a plain form.
    CMainDlg(WizardData data, const InstalledNsis& nsis, Prompter& prompter, QWidget* parent,
             const StatListMaker& makeList = {});
    ~CMainDlg() override;

    int PageIndex() const { return m_index; }
    int PageCount() const { return int(m_pages.size()); }
    CWizardPage* Page(int index) const { return m_pages.at(index); }
    const WizardData& Data() const { return m_data; }
    // Valid once the wizard was accepted.
    WizardResult Result() const;

    void Next();
    void Back();
    void Finish();
    // Cancel and closing the window ask first.
    void reject() override;

private:
    void ShowPage(int index);

    Prompter& m_prompter;
    WizardData m_data;
    QStackedWidget* m_stack;
    std::vector<CWizardPage*> m_pages;
    int m_index = 0;
    QPushButton* m_back;
    QPushButton* m_next;
    QPushButton* m_finish;
};
