// ScanOutline: reads a script's lines into its outline entries.
#include "outline/core/outline_scanner.h"

#include <algorithm>

namespace {

bool IsTokenChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '!' || c == '$' || c == '{' || c == '}';
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

// Bytes taken by the UTF-8 character that starts at `lead`, so the name
// never begins in the middle of one.
std::size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

const OutlineKeyword* MatchKeyword(std::string_view token) {
    for (const OutlineKeyword& keyword : kOutlineKeywords) {
        if (EqualsIgnoringCase(token, keyword.keyword))
            return &keyword;
    }
    return nullptr;
}

}  // namespace

void StripOutlineComments(std::string_view line, bool& inBlock, std::string& out) {
    out.clear();
    const std::size_t size = line.size();
    std::size_t i = 0;
    char quote = 0;
    while (i < size) {
        if (inBlock) {
            // The text after the comment moves to where it began: the end of `out`.
            const std::size_t close = line.find("*/", i);
            if (close == std::string_view::npos)
                return;
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
        } else if (c == ';') {
            return;
        }
        out.push_back(c);
        ++i;
    }
}

OutlineItems ScanOutline(std::string_view utf8) {
    OutlineItems items;
    std::string kept;
    kept.reserve(kOutlineMaxLineBytes);
    bool inBlock = false;
    int depth = 0;
    const std::size_t size = utf8.size();
    std::size_t pos = 0;
    bool more = true;
    for (int lineNo = 0; more; ++lineNo) {
        // The line runs to the first CR or LF; CR LF counts as one line end.
        const std::size_t lf = utf8.find('\n', pos);
        const std::size_t segmentEnd = lf == std::string_view::npos ? size : lf;
        const std::size_t cr = utf8.substr(pos, segmentEnd - pos).find('\r');
        const std::size_t contentEnd = cr == std::string_view::npos ? segmentEnd : pos + cr;
        std::size_t next = size;
        if (contentEnd < segmentEnd && contentEnd + 1 != lf)
            next = contentEnd + 1;  // a lone CR
        else if (lf != std::string_view::npos)
            next = lf + 1;
        else
            more = false;
        const std::size_t lineBytes = next - pos;
        const std::string_view line = utf8.substr(pos, contentEnd - pos);
        pos = next;

        StripOutlineComments(line, inBlock, kept);
        // A long line is only followed for its comment marks; it gives no entry.
        if (lineBytes >= kOutlineMaxLineBytes || kept.empty())
            continue;

        std::size_t start = 0;
        while (start < kept.size() && !IsTokenChar(static_cast<unsigned char>(kept[start])))
            ++start;
        std::size_t stop = start;
        while (stop < kept.size() && IsTokenChar(static_cast<unsigned char>(kept[stop])))
            ++stop;
        if (stop == start)
            continue;
        const OutlineKeyword* keyword = MatchKeyword(std::string_view(kept).substr(start, stop - start));
        if (!keyword)
            continue;

        OutlineItem item;
        item.row = keyword->row;
        item.image = keyword->image;
        item.line = lineNo;
        item.depth = depth;
        if (item.IsGroupEnd()) {
            if (depth > 0)
                --depth;
        } else {
            std::string_view name;
            if (stop < kept.size()) {
                const std::size_t from = std::min(kept.size(), stop + Utf8Length(static_cast<unsigned char>(kept[stop])));
                name = std::string_view(kept).substr(from);
            }
            item.label = QString::fromLatin1(keyword->keyword.data(), qsizetype(keyword->keyword.size()));
            item.label += QLatin1Char(' ');
            item.label += QString::fromUtf8(name.data(), qsizetype(name.size()));
            if (item.IsGroup())
                ++depth;
        }
        items.push_back(std::move(item));
    }
    return items;
}
