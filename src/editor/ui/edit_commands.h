// The editing commands of the Edit menu applied to an editing component.
#pragma once

#include "editor/core/comment_lines.h"
#include "editor/core/text_transform.h"

class Prompter;
class QsciScintillaBase;

namespace EditCommands {

// Puts in or takes out one ';' per line, as one undo step.
void CommentLines(QsciScintillaBase& editor, CommentMode mode);
// Only while the editor is shown and has the focus, so the key does not reach a hidden document.
void ToggleComment(QsciScintillaBase& editor);
// Replaces the selection with the transformed text and leaves that selected.
void TransformSelection(QsciScintillaBase& editor, TransformKind kind);
// Asks for a colour and puts its "RRGGBB" at the caret; the selection stays.
void InsertColour(QsciScintillaBase& editor, Prompter& prompter);
// Asks for a file and puts its quoted full path at the caret.
void InsertFileName(QsciScintillaBase& editor, Prompter& prompter);

}  // namespace EditCommands
