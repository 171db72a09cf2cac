// The comment commands' line walk over UTF-8 script text: which ';' go in or out and what is selected after.
#include "editor/core/comment_lines.h"

#include <algorithm>
#include <vector>

namespace {

// Line starts and ends (before the line break) as the editing component sees
// them: CR LF, LF and CR each end a line.
class Lines {
public:
    explicit Lines(std::string_view text) : m_text(text) {}

    long StartOf(long pos) const {
        long p = std::clamp(pos, 0L, long(m_text.size()));
        while (p > 0 && m_text[std::size_t(p - 1)] != '\n' && m_text[std::size_t(p - 1)] != '\r')
            --p;
        return p;
    }
    long EndOf(long lineStart) const {
        long p = lineStart;
        while (p < long(m_text.size()) && m_text[std::size_t(p)] != '\n' && m_text[std::size_t(p)] != '\r')
            ++p;
        return p;
    }
    // Start of the next line, or -1 after the last one.
    long NextStart(long lineStart) const {
        long p = EndOf(lineStart);
        if (p >= long(m_text.size()))
            return -1;
        if (m_text[std::size_t(p)] == '\r' && p + 1 < long(m_text.size()) && m_text[std::size_t(p + 1)] == '\n')
            ++p;
        return p + 1;
    }
    // Position of the line's first character after leading spaces, when it is ';'.
    std::optional<long> CommentMark(long lineStart) const {
        const long end = EndOf(lineStart);
        long p = lineStart;
        while (p < end && m_text[std::size_t(p)] == ' ')
            ++p;
        if (p < end && m_text[std::size_t(p)] == ';')
            return p;
        return std::nullopt;
    }

private:
    std::string_view m_text;
};

}  // namespace

CommentEdit CommentLines(std::string_view text, long selStart, long selEnd, CommentMode mode) {
    const Lines lines(text);
    const long s = std::min(selStart, selEnd);
    long e = std::max(selStart, selEnd);
    // Edit positions in the original text; delta maps them into the changed text.
    std::vector<long> edits;
    long delta = 0;
    const long firstStart = lines.StartOf(s);
    long lastHandled = -1;
    for (long ls = firstStart; ls >= 0 && s <= e; ls = lines.NextStart(ls)) {
        if (ls + delta > e)
            break;
        lastHandled = ls;
        if (mode == CommentMode::Comment) {
            edits.push_back(ls);
            ++delta;
            ++e;
        } else if (const auto mark = lines.CommentMark(ls)) {
            edits.push_back(*mark);
            --delta;
            --e;
        }
    }

    CommentEdit result;
    result.changedLines = int(edits.size());
    if (!edits.empty()) {
        result.start = edits.front();
        result.end = edits.back() + (mode == CommentMode::Uncomment ? 1 : 0);
        long from = result.start;
        for (long at : edits) {
            result.replacement.append(text.data() + from, at - from);
            if (mode == CommentMode::Comment) {
                result.replacement.append(';');
                from = at;
            } else {
                from = at + 1;
            }
        }
        result.replacement.append(text.data() + from, result.end - from);
    }
    if (s < e && lastHandled >= 0)
        result.selection = std::pair{firstStart, lines.EndOf(lastHandled) + delta};
    return result;
}

CommentMode ToggleCommentMode(std::string_view text, long selStart, long selEnd) {
    const Lines lines(text);
    const long e = std::max(selStart, selEnd);
    for (long ls = lines.StartOf(std::min(selStart, selEnd)); ls >= 0 && ls <= e; ls = lines.NextStart(ls)) {
        if (lines.CommentMark(ls))
            return CommentMode::Uncomment;
    }
    return CommentMode::Comment;
}
