// CGroup: the small dialog that names a new install group or renames one and sets its description.
#pragma once

#include <QDialog>

class Prompter;
class QLineEdit;
class QPlainTextEdit;

class CGroup : public QDialog {
    Q_OBJECT
public:
    // An empty name and description make the "new group" dialog.
    CGroup(Prompter& prompter, bool editing, const QString& name, const QString& description, QWidget* parent);

    QString Name() const;
    QString Description() const;

    void accept() override;

private:
    Prompter& m_prompter;
    QLineEdit* m_name;
    QPlainTextEdit* m_description;
};
