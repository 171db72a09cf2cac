// Searching, replacing and revealing text in an editing component through its message interface.
#include "editor/ui/editor_search.h"

#include "editor/ui/qsci_base.h"

using Sci = QsciScintillaBase;

MatchFinder EditorFinder(QsciScintillaBase& editor, const QByteArray& utf8, int flags) {
    return [&editor, utf8, flags](long from, long to) -> std::optional<TextMatch> {
        editor.SendScintilla(Sci::SCI_SETSEARCHFLAGS, flags);
        // Start and end set apart: a start after the end searches backwards.
        editor.SendScintilla(Sci::SCI_SETTARGETSTART, (unsigned long)from);
        editor.SendScintilla(Sci::SCI_SETTARGETEND, (unsigned long)to);
        const long at = editor.SendScintilla(Sci::SCI_SEARCHINTARGET, uintptr_t(utf8.size()), utf8.constData());
        if (at < 0)
            return std::nullopt;
        return TextMatch{at, editor.SendScintilla(Sci::SCI_GETTARGETEND)};
    };
}

long ReplaceMatch(QsciScintillaBase& editor, const TextMatch& match, const QByteArray& utf8) {
    editor.SendScintilla(Sci::SCI_SETTARGETSTART, (unsigned long)match.start);
    editor.SendScintilla(Sci::SCI_SETTARGETEND, (unsigned long)match.end);
    editor.SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(utf8.size()), utf8.constData());
    return long(utf8.size());
}

ReplaceAllResult ReplaceAllInEditor(QsciScintillaBase& editor, const QByteArray& find, int flags,
                                    const QByteArray& replacement, long start, long end) {
    // The component's change notice costs time in proportion to the text's
    // length; once the first replacement has told the view that the text
    // changed, the rest go without it, or a large script would stall here.
    const long eventMask = editor.SendScintilla(Sci::SCI_GETMODEVENTMASK);
    const auto replace = [&](const TextMatch& match) {
        const long length = ReplaceMatch(editor, match, replacement);
        editor.SendScintilla(Sci::SCI_SETMODEVENTMASK, 0L);
        return length;
    };
    const ReplaceAllResult result = ReplaceAllIn(EditorFinder(editor, find, flags), replace, start, end);
    editor.SendScintilla(Sci::SCI_SETMODEVENTMASK, eventMask);
    return result;
}

CaretState EditorCaretState(const QsciScintillaBase& editor) {
    return CaretState{editor.SendScintilla(Sci::SCI_GETCURRENTPOS), editor.SendScintilla(Sci::SCI_GETSELECTIONSTART),
                      editor.SendScintilla(Sci::SCI_GETSELECTIONEND), editor.SendScintilla(Sci::SCI_GETLENGTH)};
}

void ScrollLineToMiddle(QsciScintillaBase& editor, long line) {
    const long first =
        editor.SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, editor.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
    editor.SendScintilla(Sci::SCI_LINESCROLL, 0,
                         CentreScroll(line, editor.SendScintilla(Sci::SCI_LINESONSCREEN), first));
}

void SelectAndReveal(QsciScintillaBase& editor, const TextMatch& match) {
    // Checked before selecting: selecting scrolls the caret just into view,
    // after which the match would never count as off screen.
    const long line = editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)match.end);
    const long visible = editor.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE);
    const long first = editor.SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, visible);
    const long last =
        editor.SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, visible + editor.SendScintilla(Sci::SCI_LINESONSCREEN));
    if (!LineOnScreen(line, first, last))
        ScrollLineToMiddle(editor, line);
    editor.SendScintilla(Sci::SCI_SETSEL, (unsigned long)match.start, match.end);
}

QByteArray SelectedText(const QsciScintillaBase& editor) {
    const long start = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long end = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
    if (end <= start)
        return {};
    QByteArray text(end - start + 1, '\0');  // room for the component's terminator
    editor.SendScintilla(Sci::SCI_GETTEXTRANGE, start, end, text.data());
    text.chop(1);
    return text;
}
