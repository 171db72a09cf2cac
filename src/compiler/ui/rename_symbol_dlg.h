// CRenameSymbolDlg: the new name of a symbol, checked as it is typed, with every change it makes listed.
#pragma once

#include "nsis/core/symbol_rename.h"

#include <QDialog>
#include <functional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

class CRenameSymbolDlg : public QDialog {
    Q_OBJECT
public:
    using Planner = std::function<RenamePlan(const QString& newName)>;
    CRenameSymbolDlg(const QString& title, const QString& oldName, Planner planner, QWidget* parent);

    QLineEdit* NameEdit() const { return m_name; }
    const RenamePlan& Plan() const { return m_plan; }

private:
    void Replan();

    Planner m_planner;
    QString m_oldName;
    QLineEdit* m_name;
    QLabel* m_problem;
    QTreeWidget* m_changes;
    QDialogButtonBox* m_buttons;
    RenamePlan m_plan;
};
