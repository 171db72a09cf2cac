// CFileList: the small dialog that adds files or a directory to an install group, or edits one entry.
#pragma once

#include "wizard/core/install_entries.h"

#include <QDialog>

class Prompter;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

class CFileList : public QDialog {
    Q_OBJECT
public:
    // editing: the dialog shows an existing entry, whose files are not split up again.
    // otherSources: the sources of the group's other rows, which an edit may not take.
    CFileList(Prompter& prompter, const EntryInput& input, bool editing, QWidget* parent,
              const QStringList& otherSources = {});

    EntryInput Input() const;

    void accept() override;

private:
    void Browse();

    Prompter& m_prompter;
    EntryKind m_kind;
    QStringList m_otherSources;
    QStringList m_chosen;  // the files last picked, each whole
    QLineEdit* m_source;
    QComboBox* m_destDir;
    QList<QRadioButton*> m_modeButtons;
    QCheckBox* m_recursive;
    QCheckBox* m_eachFile;
};
