// Searching, replacing and revealing text in an editing component through its message interface.
#include "editor/ui/editor_search.h"

#include "editor/ui/scintilla_call.h"

MatchFinder EditorFinder(ScintillaCall& editor, const QByteArray& utf8, int flags) {
    return [&editor, utf8, flags](long from, long to) -> std::optional<TextMatch> {
        editor.SetSearchFlags(flags);
        // Start and end set apart: a start after the end searches backwards.
        editor.SetTargetStart(from);
        editor.SetTargetEnd(to);
        const long at = editor.SearchInTarget(utf8);
        if (at < 0)
            return std::nullopt;
        return TextMatch{at, editor.TargetEnd()};
    };
}

long ReplaceMatch(ScintillaCall& editor, const TextMatch& match, const QByteArray& utf8) {
    editor.SetTargetStart(match.start);
    editor.SetTargetEnd(match.end);
    editor.ReplaceTarget(utf8);
    return long(utf8.size());
}

ReplaceAllResult ReplaceAllInEditor(ScintillaCall& editor, const QByteArray& find, int flags,
                                    const QByteArray& replacement, long start, long end) {
    // The component's change notice costs time in proportion to the text's
    // length; once the first replacement has told the view that the text
    // changed, the rest go without it, or a large script would stall here.
    const int eventMask = editor.ModEventMask();
    const auto replace = [&](const TextMatch& match) {
        const long length = ReplaceMatch(editor, match, replacement);
        editor.SetModEventMask(0);
        return length;
    };
    const ReplaceAllResult result = ReplaceAllIn(EditorFinder(editor, find, flags), replace, start, end);
    editor.SetModEventMask(eventMask);
    return result;
}

CaretState EditorCaretState(const ScintillaCall& editor) {
    return CaretState{editor.CurrentPos(), editor.SelectionStart(), editor.SelectionEnd(), editor.Length()};
}

void ScrollLineToMiddle(ScintillaCall& editor, long line) {
    const long first = editor.DocLineFromVisible(editor.FirstVisibleLine());
    editor.LineScroll(0, CentreScroll(line, editor.LinesOnScreen(), first));
}

void SelectAndReveal(ScintillaCall& editor, const TextMatch& match) {
    // Checked before selecting: selecting scrolls the caret just into view,
    // after which the match would never count as off screen.
    const long line = editor.LineFromPosition(match.end);
    const long visible = editor.FirstVisibleLine();
    const long first = editor.DocLineFromVisible(visible);
    const long last = editor.DocLineFromVisible(visible + editor.LinesOnScreen());
    if (!LineOnScreen(line, first, last))
        ScrollLineToMiddle(editor, line);
    editor.SetSel(match.start, match.end);
}

QByteArray SelectedText(const ScintillaCall& editor) {
    const long start = editor.SelectionStart();
    const long end = editor.SelectionEnd();
    if (end <= start)
        return {};
    return editor.GetTextRange(start, end);
}
