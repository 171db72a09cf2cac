// Find and replace rules apart from the editor: search ranges and wrap, counting, replace-all arithmetic, histories.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct TextMatch {
    long start = 0;
    long end = 0;
};

// Searches the text from one position towards another; to < from searches
// backwards. Positions are UTF-8 byte offsets, as in the editor.
using MatchFinder = std::function<std::optional<TextMatch>(long from, long to)>;
// Replaces [start, end) and returns the replacement's length.
using MatchReplacer = std::function<long(const TextMatch& match)>;

struct CaretState {
    long caret = 0;
    long selStart = 0;
    long selEnd = 0;
    long length = 0;
    bool Empty() const { return selStart == selEnd; }
};

// The next match from the caret (or past the selection) in the direction,
// then, with wrap, from the far end back to where the first search began.
std::optional<TextMatch> FindText(const MatchFinder& find, const CaretState& state, bool down, bool wrap);

// Matches from the start to the end, each search beginning where the last match ended.
int CountMatches(const MatchFinder& find, long length);

// Replaces every match in [start, end), moving on past each replacement so a
// replacement that contains the search text is never searched again.
// Returns the number of replacements and the end of the last one.
struct ReplaceAllResult {
    int count = 0;
    long lastEnd = -1;
};
ReplaceAllResult ReplaceAllIn(const MatchFinder& find, const MatchReplacer& replace, long start, long end);

inline constexpr int kHistorySize = 20;
// Puts text at the top of a newest-first history of at most kHistorySize
// texts; false when the list stays as it was.
bool AddToHistory(QStringList& history, const QString& text);

// The part of a selected text that becomes the find text: up to the first CR, else the first LF.
QString FindTextFromSelection(const QString& selected);

// Lines to scroll so that line stands in the middle of the screen.
long CentreScroll(long line, long linesOnScreen, long firstVisibleDocLine);
// Whether line lies between the first and the last visible document lines, both included.
bool LineOnScreen(long line, long firstVisibleDocLine, long lastVisibleDocLine);

// The 0-based line a go-to field names in a document of lineCount lines:
// empty means the first line, anything past the end (however many digits) the last.
long GoToLineTarget(const QString& field, long lineCount);
