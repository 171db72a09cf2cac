// Find and replace rules apart from the editor: search ranges and wrap, counting, replace-all arithmetic, histories.
#include "editor/core/find_replace_logic.h"

#include <algorithm>

std::optional<TextMatch> FindText(const MatchFinder& find, const CaretState& state, bool down, bool wrap) {
    const bool empty = state.Empty();
    if (down) {
        const long from = empty ? state.caret : state.selEnd;
        if (auto match = find(from, state.length))
            return match;
        if (wrap)
            return find(0, empty ? state.caret : state.selStart);
        return std::nullopt;
    }
    const long from = empty ? state.caret : state.selStart;
    if (auto match = find(from, 0))
        return match;
    if (wrap)
        return find(state.length, empty ? state.caret : state.selEnd);
    return std::nullopt;
}

int CountMatches(const MatchFinder& find, long length) {
    int count = 0;
    long from = 0;
    while (from < length) {
        const auto match = find(from, length);
        if (!match)
            break;
        ++count;
        // An empty match would otherwise be found again forever.
        from = std::max(match->end, from + 1);
    }
    return count;
}

ReplaceAllResult ReplaceAllIn(const MatchFinder& find, const MatchReplacer& replace, long start, long end) {
    ReplaceAllResult result;
    while (start < end) {
        const auto match = find(start, end);
        if (!match || match->start < start || match->end > end)
            break;
        const long replaced = replace(*match);
        ++result.count;
        result.lastEnd = match->start + replaced;
        // The match's own length, not the find text's: with case folding the
        // two may differ in bytes, and the range must shrink by what went.
        end += replaced - (match->end - match->start);
        start = match->start + replaced;
        if (match->end == match->start && replaced == 0)
            break;
    }
    return result;
}

bool AddToHistory(QStringList& history, const QString& text) {
    if (text.isEmpty() || (!history.isEmpty() && history.first() == text))
        return false;
    history.removeOne(text);
    while (history.size() >= kHistorySize)
        history.removeLast();
    history.prepend(text);
    return true;
}

QString FindTextFromSelection(const QString& selected) {
    qsizetype cut = selected.indexOf(u'\r');
    if (cut < 0)
        cut = selected.indexOf(u'\n');
    return cut < 0 ? selected : selected.left(cut);
}

long CentreScroll(long line, long linesOnScreen, long firstVisibleDocLine) {
    return line - linesOnScreen / 2 - firstVisibleDocLine;
}

bool LineOnScreen(long line, long firstVisibleDocLine, long lastVisibleDocLine) {
    return line >= firstVisibleDocLine && line <= lastVisibleDocLine;
}

long GoToLineTarget(const QString& field, long lineCount) {
    const long last = std::max(lineCount - 1, 0L);
    const QString digits = field.trimmed();
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok);
    // Too many digits to be a number at all is still a line past the end.
    if (!ok)
        return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }) ? last : 0;
    if (value == 0)
        return 0;
    return value - 1 > qulonglong(last) ? last : long(value - 1);
}
