// The editing commands of the Edit menu applied to an editing component.
#include "editor/ui/edit_commands.h"

#include "editor/ui/editor_search.h"
#include "editor/ui/scintilla_call.h"
#include "platform/prompter.h"

#include <QAbstractScrollArea>

using namespace Qt::StringLiterals;

namespace {

// AddText puts text at the caret without touching the selection's anchor.
void AddAtCaret(ScintillaCall& editor, const QString& text) { editor.AddText(text.toUtf8()); }

}  // namespace

namespace EditCommands {

void CommentLines(ScintillaCall& editor, CommentMode mode) {
    // The component's own buffer: no copy, even for a very large script.
    const CommentEdit edit =
        ::CommentLines(editor.CharacterPointer(), editor.SelectionStart(), editor.SelectionEnd(), mode);
    if (edit.changedLines > 0) {
        editor.BeginUndoAction();
        ReplaceMatch(editor, TextMatch{edit.start, edit.end}, edit.replacement);
        editor.EndUndoAction();
    }
    if (edit.selection)
        editor.SetSel(edit.selection->first, edit.selection->second);
}

void ToggleComment(ScintillaCall& editor) {
    const QAbstractScrollArea* widget = editor.Widget();
    if (!widget->isVisible() || !(widget->hasFocus() || widget->viewport()->hasFocus()))
        return;
    CommentLines(editor, ToggleCommentMode(editor.CharacterPointer(), editor.SelectionStart(), editor.SelectionEnd()));
}

void TransformSelection(ScintillaCall& editor, TransformKind kind) {
    const QByteArray result = TransformText(QString::fromUtf8(SelectedText(editor)), kind).toUtf8();
    editor.ReplaceSel(result);
    const long caret = editor.CurrentPos();
    editor.SetSel(caret - result.size(), caret);
}

void InsertColour(ScintillaCall& editor, Prompter& prompter) {
    if (const auto colour = prompter.Colour(0))
        AddAtCaret(editor, ColourText(*colour));
}

void InsertFileName(ScintillaCall& editor, Prompter& prompter) {
    FileDialogRequest request;
    request.filter = u"All Files (*)"_s;
    const QStringList files = prompter.OpenFileNames(request, false);
    if (!files.isEmpty())
        AddAtCaret(editor, FileNameText(files.first()));
}

}  // namespace EditCommands
