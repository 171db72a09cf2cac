// Searching, replacing and revealing text in an editing component through its message interface.
#pragma once

#include "editor/core/find_replace_logic.h"

#include <QByteArray>

class QsciScintillaBase;

// A finder for the UTF-8 text with the component's search flags (whole word,
// match case). The search runs on the component's target, so neither the
// selection nor the view moves while searching.
MatchFinder EditorFinder(QsciScintillaBase& editor, const QByteArray& utf8, int flags);

// Replaces the match as one undo step and returns the replacement's byte length.
long ReplaceMatch(QsciScintillaBase& editor, const TextMatch& match, const QByteArray& utf8);

// Replaces every match in [start, end), each replacement one undo step.
ReplaceAllResult ReplaceAllInEditor(QsciScintillaBase& editor, const QByteArray& find, int flags,
                                    const QByteArray& replacement, long start, long end);

CaretState EditorCaretState(const QsciScintillaBase& editor);

// Selects the match (caret at its end); when its end line is off screen the
// view first scrolls so that the line stands in the middle.
void SelectAndReveal(QsciScintillaBase& editor, const TextMatch& match);

// Scrolls so that line stands in the middle of the screen.
void ScrollLineToMiddle(QsciScintillaBase& editor, long line);

// The editor's selected text as UTF-8.
QByteArray SelectedText(const QsciScintillaBase& editor);
