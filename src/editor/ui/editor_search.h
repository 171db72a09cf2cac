// Searching, replacing and revealing text in an editing component through its message interface.
#pragma once

#include "editor/core/find_replace_logic.h"

#include <QByteArray>

class ScintillaCall;

// A finder for the UTF-8 text with the component's search flags (whole word,
// match case). The search runs on the component's target, so neither the
// selection nor the view moves while searching.
MatchFinder EditorFinder(ScintillaCall& editor, const QByteArray& utf8, int flags);

// Replaces the match as one undo step and returns the replacement's byte length.
long ReplaceMatch(ScintillaCall& editor, const TextMatch& match, const QByteArray& utf8);

// Replaces every match in [start, end), each replacement one undo step.
ReplaceAllResult ReplaceAllInEditor(ScintillaCall& editor, const QByteArray& find, int flags,
                                    const QByteArray& replacement, long start, long end);

CaretState EditorCaretState(const ScintillaCall& editor);

// Selects the match (caret at its end); when its end line is off screen the
// view first scrolls so that the line stands in the middle.
void SelectAndReveal(ScintillaCall& editor, const TextMatch& match);

// Scrolls so that line stands in the middle of the screen.
void ScrollLineToMiddle(ScintillaCall& editor, long line);

// The editor's selected text as UTF-8.
QByteArray SelectedText(const ScintillaCall& editor);
