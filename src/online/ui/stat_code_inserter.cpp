// InsertStatCode: puts the statistics line into a script held by an editing component.
#include "online/ui/stat_code_inserter.h"

#include "editor/ui/qsci_base.h"
#include "online/core/stat_code.h"

using Sci = QsciScintillaBase;

namespace {
QByteArray EditorText(QsciScintillaBase& editor) {
    const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
    const auto* text = static_cast<const char*>(editor.SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    return text ? QByteArray(text, length) : QByteArray();
}
}  // namespace

void InsertStatCode(QsciScintillaBase& editor, const QString& number, const QString& comment) {
    const StatCodeEdit plan = PlanStatCode(EditorText(editor), number, comment);
    editor.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    for (const TextEdit& edit : plan.edits) {
        if (edit.removed > 0)
            editor.SendScintilla(Sci::SCI_DELETERANGE, (unsigned long)edit.position, long(edit.removed));
        if (!edit.inserted.isEmpty())
            editor.SendScintilla(Sci::SCI_INSERTTEXT, (unsigned long)edit.position, edit.inserted.constData());
    }
    editor.SendScintilla(Sci::SCI_ENDUNDOACTION);
    const long start = editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)plan.statLine);
    const long end = editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, (unsigned long)plan.statLine);
    editor.SendScintilla(Sci::SCI_GOTOLINE, (unsigned long)plan.statLine);
    editor.SendScintilla(Sci::SCI_SETSEL, (unsigned long)start, end);
}
