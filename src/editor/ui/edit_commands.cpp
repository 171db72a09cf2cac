// The editing commands of the Edit menu applied to an editing component.
#include "editor/ui/edit_commands.h"

#include "editor/ui/editor_search.h"
#include "editor/ui/qsci_base.h"
#include "platform/prompter.h"

#include <string_view>

using namespace Qt::StringLiterals;
using Sci = QsciScintillaBase;

namespace {

std::string_view WholeText(QsciScintillaBase& editor) {
    const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
    // The component's own buffer: no copy, even for a very large script.
    const auto* text = static_cast<const char*>(editor.SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    return text ? std::string_view(text, std::size_t(length)) : std::string_view();
}

// SCI_ADDTEXT puts text at the caret without touching the selection's anchor.
void AddAtCaret(QsciScintillaBase& editor, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    editor.SendScintilla(Sci::SCI_ADDTEXT, uintptr_t(utf8.size()), utf8.constData());
}

}  // namespace

namespace EditCommands {

void CommentLines(QsciScintillaBase& editor, CommentMode mode) {
    const CommentEdit edit = ::CommentLines(WholeText(editor), editor.SendScintilla(Sci::SCI_GETSELECTIONSTART),
                                            editor.SendScintilla(Sci::SCI_GETSELECTIONEND), mode);
    if (edit.changedLines > 0) {
        editor.SendScintilla(Sci::SCI_BEGINUNDOACTION);
        ReplaceMatch(editor, TextMatch{edit.start, edit.end}, edit.replacement);
        editor.SendScintilla(Sci::SCI_ENDUNDOACTION);
    }
    if (edit.selection)
        editor.SendScintilla(Sci::SCI_SETSEL, (unsigned long)edit.selection->first, edit.selection->second);
}

void ToggleComment(QsciScintillaBase& editor) {
    if (!editor.isVisible() || !(editor.hasFocus() || editor.viewport()->hasFocus()))
        return;
    CommentLines(editor,
                 ToggleCommentMode(WholeText(editor), editor.SendScintilla(Sci::SCI_GETSELECTIONSTART),
                                   editor.SendScintilla(Sci::SCI_GETSELECTIONEND)));
}

void TransformSelection(QsciScintillaBase& editor, TransformKind kind) {
    const QByteArray result = TransformText(QString::fromUtf8(SelectedText(editor)), kind).toUtf8();
    editor.SendScintilla(Sci::SCI_REPLACESEL, result.constData());
    const long caret = editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    editor.SendScintilla(Sci::SCI_SETSEL, (unsigned long)(caret - result.size()), caret);
}

void InsertColour(QsciScintillaBase& editor, Prompter& prompter) {
    if (const auto colour = prompter.Colour(0))
        AddAtCaret(editor, ColourText(*colour));
}

void InsertFileName(QsciScintillaBase& editor, Prompter& prompter) {
    FileDialogRequest request;
    request.filter = u"All Files (*)"_s;
    const QStringList files = prompter.OpenFileNames(request, false);
    if (!files.isEmpty())
        AddAtCaret(editor, FileNameText(files.first()));
}

}  // namespace EditCommands
