// CInputLineDlg: the modal "前往行号" dialog and the go-to-line command it serves.
#include "editor/ui/input_line_dlg.h"

#include "editor/core/find_replace_logic.h"
#include "editor/ui/editor_search.h"
#include "editor/ui/scintilla_call.h"
#include "platform/ui/ok_cancel_buttons.h"

#include <QAbstractScrollArea>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CInputLineDlg::CInputLineDlg(long line, QWidget* owner) : QDialog(owner), m_field(new QLineEdit(this)) {
    setWindowTitle(u"前往行号"_s);
    m_field->setObjectName(u"lineField"_s);
    m_field->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), m_field));
    m_field->setText(QString::number(line));
    m_field->selectAll();
    auto* label = new QLabel(u"键入行号(&E):"_s, this);
    label->setBuddy(m_field);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_field);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CInputLineDlg::Field() const { return m_field->text(); }

void CInputLineDlg::GoToLine(ScintillaCall& editor, QWidget* owner) {
    const long caretLine = editor.LineFromPosition(editor.CurrentPos());
    CInputLineDlg dialog(caretLine + 1, owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const long target = GoToLineTarget(dialog.Field(), editor.LineCount());
    ScrollLineToMiddle(editor, target);
    editor.GotoLine(target);
    editor.Widget()->setFocus();
}
