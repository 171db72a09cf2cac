// The editing commands of the Edit menu applied to an editing component.
#pragma once

#include "editor/core/comment_lines.h"
#include "editor/core/text_transform.h"

class Prompter;
class ScintillaCall;

namespace EditCommands {

// Puts in or takes out one ';' per line, as one undo step.
void CommentLines(ScintillaCall& editor, CommentMode mode);
// Only while the editor is shown and has the focus, so the key does not reach a hidden document.
void ToggleComment(ScintillaCall& editor);
// Replaces the selection with the transformed text and leaves that selected.
void TransformSelection(ScintillaCall& editor, TransformKind kind);
// Asks for a colour and puts its "RRGGBB" at the caret; the selection stays.
void InsertColour(ScintillaCall& editor, Prompter& prompter);
// Asks for a file and puts its quoted full path at the caret.
void InsertFileName(ScintillaCall& editor, Prompter& prompter);

}  // namespace EditCommands
