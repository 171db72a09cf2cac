// CLinkList: the small dialog that adds a shortcut row or edits one.
#pragma once

#include "wizard/core/wizard_data.h"

#include <QDialog>

class Prompter;
class QComboBox;

class CLinkList : public QDialog {
    Q_OBJECT
public:
    // row: the row to edit, -1 to add one; targets: the installed programs to choose from.
    CLinkList(Prompter& prompter, QList<ShortcutItem>& rows, int row, const QStringList& targets, QWidget* parent);

    void accept() override;

private:
    Prompter& m_prompter;
    QList<ShortcutItem>& m_rows;
    int m_row;
    QComboBox* m_link;
    QComboBox* m_target;
};
