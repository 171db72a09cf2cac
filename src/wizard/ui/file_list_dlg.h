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
    CFileList(Prompter& prompter, const EntryInput& input, bool editing, QWidget* parent);

    EntryInput Input() const;

    void accept() override;

private:
    void Browse();

    Prompter& m_prompter;
    EntryKind m_kind;
    QLineEdit* m_source;
    QComboBox* m_destDir;
    QList<QRadioButton*> m_modeButtons;
    QCheckBox* m_recursive;
    QCheckBox* m_eachFile;
};
