// OutlineScanner and ScanOutline: read a script's lines into its outline entries.
#include "outline/core/outline_scanner.h"

#include "text/core/utf8_sequence.h"

#include <QStringBuilder>

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr std::array<bool, 256> kTokenChars = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[std::size_t(c)] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
            || c == '!' || c == '$' || c == '{' || c == '}';
    }
    return table;
}();

bool IsTokenChar(char c) { return kTokenChars[static_cast<unsigned char>(c)]; }

// makensis reads '#' as it reads ';': the rest of the line is a comment.
bool IsLineComment(char c) { return c == ';' || c == '#'; }

// Where a line comment outside quotes cuts `text`, reading on from `from` in the quote state `quote`.
std::size_t CommentCut(std::string_view text, std::size_t from, char quote) {
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (IsLineComment(c)) {
            return i;
        } else if (c == '"' || c == '\'') {
            quote = c;
        }
    }
    return text.size();
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z')
            y += 'a' - 'A';
        if (x != y)
            return false;
    }
    return true;
}

// Bytes taken by the UTF-8 character at `at`, so the name never begins in
// the middle of one; a broken sequence is taken only as far as it goes.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    return std::size_t(ReadUtf8Sequence(begin + at, begin + text.size(), Surrogates::Kept).length);
}

constexpr std::size_t kLongestKeyword = [] {
    std::size_t longest = 0;
    for (const OutlineKeyword& keyword : kOutlineKeywords)
        longest = std::max(longest, keyword.keyword.size());
    return longest;
}();

// Every keyword begins with one of these pairs, so most lines are passed
// over before their first word is read to its end.
bool MayStartKeyword(char first, char second) {
    const char a = char(first | 0x20);
    const char b = char(second | 0x20);
    return (a == 's' && b == 'e') || (a == 'f' && b == 'u') || (a == 'p' && b == 'a')
        || (a == '!' && (b == 'm' || b == 'i')) || (a == '$' && b == '{');
}

const OutlineKeyword* MatchKeyword(std::string_view token) {
    for (const OutlineKeyword& keyword : kOutlineKeywords) {
        if (EqualsIgnoringCase(token, keyword.keyword))
            return &keyword;
    }
    return nullptr;
}

// Strips line and block comments from one line, honouring quoted strings;
// the block-comment state runs from line to line through `inBlock`. The kept
// text is a view of `line`, or of `buffer` when a comment was cut out of its
// middle.
std::string_view StripOutlineComments(std::string_view line, bool& inBlock, std::string& buffer) {
    const std::size_t size = line.size();
    std::size_t i = 0;
    char quote = 0;
    // Until a block comment is met the kept text is a prefix of the line, so
    // most lines are read without copying.
    if (!inBlock) {
        for (; i < size; ++i) {
            const char c = line[i];
            if (c != '"' && c != '\'' && !IsLineComment(c) && c != '/')
                continue;
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (IsLineComment(c)) {
                return line.substr(0, i);
            } else if (c == '/') {
                if (i + 1 < size && line[i + 1] == '*')
                    break;
            } else {
                quote = c;
            }
        }
        if (i == size)
            return line;
    }
    buffer.assign(line.data(), i);
    while (i < size) {
        if (inBlock) {
            // The text after the comment moves to where it began: the end of the buffer.
            const std::size_t close = line.find("*/", i);
            if (close == std::string_view::npos)
                break;
            inBlock = false;
            i = close + 2;
            continue;
        }
        const char c = line[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '/' && i + 1 < size && line[i + 1] == '*') {
            // Scanning resumes right after the opening mark, so "/**/" closes at once.
            inBlock = true;
            i += 2;
            continue;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (IsLineComment(c)) {
            break;
        }
        buffer.push_back(c);
        ++i;
    }
    return buffer;
}

}  // namespace

OutlineItems ScanOutline(std::string_view utf8) {
    OutlineScanner scanner;
    scanner.Feed(utf8);
    return scanner.Finish();
}

OutlineScanner::OutlineScanner() { m_buffer.reserve(kOutlineMaxLineBytes); }

void OutlineScanner::Feed(std::string_view piece) {
    const std::size_t size = piece.size();
    std::size_t pos = 0;
    std::size_t nextCr = piece.find('\r');
    std::size_t nextSlash = piece.find('/');
    while (pos < size) {
        // The line runs to the first CR or LF; CR LF counts as one line end.
        const std::size_t lf = piece.find('\n', pos);
        const std::size_t segmentEnd = lf == std::string_view::npos ? size : lf;
        // CRs and slashes are looked up once per occurrence, not once per line.
        if (nextCr < pos)
            nextCr = piece.find('\r', pos);
        if (nextSlash < pos)
            nextSlash = piece.find('/', pos);
        const std::size_t contentEnd = std::min(nextCr, segmentEnd);
        std::size_t next = size;
        if (contentEnd < segmentEnd && contentEnd + 1 != lf)
            next = contentEnd + 1;  // a lone CR
        else if (lf != std::string_view::npos)
            next = lf + 1;
        ScanLine(piece.substr(pos, contentEnd - pos), next - pos, nextSlash < contentEnd);
        pos = next;
        ++m_line;
    }
}

OutlineItems OutlineScanner::Finish() { return std::move(m_items); }

void OutlineScanner::ScanLine(std::string_view line, std::size_t lineBytes, bool hasSlash) {
    // Without a '/' no block comment can open, and a ';' cut is found
    // below only where an entry needs it: most lines are never copied
    // nor read past their first word.
    std::string_view text = line;
    if (m_inBlock || hasSlash)
        text = StripOutlineComments(line, m_inBlock, m_buffer);
    // A long line is only followed for its comment marks; it gives no entry.
    if (lineBytes >= kOutlineMaxLineBytes)
        return;

    char quote = 0;
    std::size_t start = 0;
    for (; start < text.size() && !IsTokenChar(text[start]); ++start) {
        const char c = text[start];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (IsLineComment(c)) {
            start = text.size();
            break;
        } else if (c == '"' || c == '\'') {
            quote = c;
        }
    }
    if (start + 1 >= text.size() || !MayStartKeyword(text[start], text[start + 1]))
        return;
    // A token longer than every keyword is read no further than that.
    const std::size_t limit = std::min(text.size(), start + kLongestKeyword + 1);
    std::size_t stop = start;
    while (stop < limit && IsTokenChar(text[stop]))
        ++stop;
    const OutlineKeyword* keyword = MatchKeyword(text.substr(start, stop - start));
    if (!keyword)
        return;

    OutlineItem item;
    item.row = keyword->row;
    item.image = keyword->image;
    item.line = m_line;
    item.depth = m_depth;
    if (item.IsGroupEnd()) {
        if (m_depth > 0)
            --m_depth;
    } else {
        const std::size_t keptEnd = CommentCut(text, stop, quote);
        std::string_view name;
        if (stop < keptEnd) {
            const std::size_t from = std::min(keptEnd, stop + Utf8Length(text, stop));
            name = text.substr(from, keptEnd - from);
        }
        // Built at its exact size: appending piece by piece leaves each
        // label with spare room, megabytes over a big script.
        item.label = QLatin1StringView(keyword->keyword.data(), qsizetype(keyword->keyword.size())) % QLatin1Char(' ')
            % QString::fromUtf8(name.data(), qsizetype(name.size()));
        if (item.IsGroup())
            ++m_depth;
    }
    m_items.push_back(std::move(item));
}
