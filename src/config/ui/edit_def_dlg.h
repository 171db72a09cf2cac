// CEditDefDlg: the modal "编辑符号" dialog that edits one compile-time symbol, its name and value.
#pragma once

#include "config/core/symbol_defs.h"

#include <QDialog>

class Prompter;
class QLineEdit;

class CEditDefDlg : public QDialog {
    Q_OBJECT
public:
    CEditDefDlg(const SymbolDef& symbol, Prompter& prompter, QWidget* parent);

    SymbolDef Symbol() const;

    // OK with an empty name is refused with a message; the dialog stays open.
    void accept() override;

private:
    Prompter& m_prompter;
    QLineEdit* m_name;
    QLineEdit* m_value;
};
