// libFuzzer target: the outline scanner on any bytes gives sane entries, alike for LF and CR LF line ends.
#include "fuzz_check.h"
#include "outline/core/outline_scanner.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

std::size_t LineCount(std::string_view text) {
    std::size_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

void CheckItems(const OutlineItems& items, std::size_t lines) {
    int previous = -1;
    for (const OutlineItem& item : items) {
        Require(item.line > previous, "one entry per line, in line order");
        Require(std::size_t(item.line) < lines, "entry on a line of the text");
        Require(item.depth >= 0, "depth not below the root");
        const auto keyword = std::find_if(kOutlineKeywords.begin(), kOutlineKeywords.end(),
                                          [&](const OutlineKeyword& k) { return k.row == item.row; });
        Require(keyword != kOutlineKeywords.end() && keyword->image == item.image, "image of the entry's row");
        previous = item.line;
    }
}

// Whether a line is long enough that the extra CR could pass the entry limit.
bool HasLongLine(std::string_view text) {
    std::size_t run = 0;
    for (char c : text) {
        run = c == '\n' ? 0 : run + 1;
        if (run + 2 >= kOutlineMaxLineBytes)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const OutlineItems items = ScanOutline(input);
    CheckItems(items, LineCount(input));

    if (input.find('\r') != std::string_view::npos || HasLongLine(input))
        return 0;
    std::string crlf;
    for (char c : input) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    Require(ScanOutline(crlf) == items, "CR LF line ends give the entries LF gives");
    return 0;
}
