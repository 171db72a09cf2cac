// CAppFile: wizard page 4, the install groups and their files.
#pragma once

#include "wizard/ui/wizard_page.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QTreeWidget;
struct EntryInput;

class CAppFile : public CWizardPage {
    Q_OBJECT
public:
    CAppFile(WizardData& data, Prompter& prompter, QWidget* parent);
    bool Store() override;

private:
    InstallGroup* CurrentGroup() const;
    void ShowGroups(int current);
    void ShowGroup();
    void NewGroup();
    void EditGroup();
    void DeleteGroup();
    void AddEntries(EntryKind kind);
    void EditEntry();
    void DeleteEntries();
    // Opens the entry dialog; done runs with what it gathered when the user presses OK.
    void OpenEntryDialog(const EntryInput& input, bool editing, std::function<void(const EntryInput&)> done,
                         const QStringList& otherSources = {});

    QListWidget* m_groups;
    QLabel* m_description;
    QTreeWidget* m_files;
    QCheckBox* m_allowComponents;
};
