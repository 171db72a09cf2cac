// CEditDefDlg: the modal "编辑符号" dialog that edits one compile-time symbol, its name and value.
#include "config/ui/edit_def_dlg.h"

#include "platform/prompter.h"
#include "platform/ui/ok_cancel_buttons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CEditDefDlg::CEditDefDlg(const SymbolDef& symbol, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      m_prompter(prompter),
      m_name(new QLineEdit(symbol.name, this)),
      m_value(new QLineEdit(symbol.value, this)) {
    setWindowTitle(u"编辑符号"_s);
    auto* form = new QFormLayout;
    form->addRow(u"符号："_s, m_name);
    form->addRow(u"数值："_s, m_value);
    m_name->setMinimumWidth(fontMetrics().horizontalAdvance(u'M') * 24);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

SymbolDef CEditDefDlg::Symbol() const { return {m_name->text(), m_value->text()}; }

void CEditDefDlg::accept() {
    if (m_name->text().isEmpty()) {
        m_prompter.Ask(u"符号不能为空！"_s, u"错误"_s, PromptIcon::Warning, PromptButtons::Ok);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}
