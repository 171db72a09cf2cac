// libFuzzer target: the NSIS lexer on any bytes styles every byte, styles alike from any line start, and folds consistently.
#include "nsis/core/nsis_lexer.h"
#include "fuzz_check.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// Line starts as the editing component counts lines: after CR LF, LF or a lone CR.
std::vector<std::size_t> LineStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    if (!text.empty())
        starts.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if ((text[i] == '\n' || text[i] == '\r') && !crlf && i + 1 < text.size())
            starts.push_back(i + 1);
    }
    return starts;
}

void CheckFolds(const NsisLexResult& result) {
    const std::size_t lines = result.foldLevels.size();
    for (std::size_t i = 0; i < lines; ++i) {
        const int level = result.foldLevels[i] & kFoldLevelNumberMask;
        Require(level >= kFoldLevelBase, "level below the base");
        Require((result.foldLevels[i] & ~(kFoldLevelNumberMask | kFoldLevelHeaderFlag)) == 0, "unknown fold flags");
        // The line after the last one starts where the text's state ends.
        const int next =
            i + 1 < lines ? result.foldLevels[i + 1] & kFoldLevelNumberMask : result.lineEndStates[i].foldLevel;
        const bool header = (result.foldLevels[i] & kFoldLevelHeaderFlag) != 0;
        Require(header == (next > level), "header flag where the next line is not deeper, or missing");
    }
}

// Styling [first, last) line from the state the whole styling kept must give the whole styling's part.
void CheckRange(std::string_view text, const std::vector<std::size_t>& starts, const NsisLexResult& whole,
                const NsisKeywords& keywords, std::size_t first, std::size_t last) {
    const std::size_t begin = starts[first];
    const std::size_t end = last < starts.size() ? starts[last] : text.size();
    const NsisLexState before = first > 0 ? whole.lineEndStates[first - 1] : NsisLexState{};
    const NsisLexResult part = LexNsis(text.substr(begin, end - begin), before, keywords);
    Require(part.styles.size() == end - begin, "range: a style per byte");
    Require(std::equal(part.styles.begin(), part.styles.end(), whole.styles.begin() + long(begin)), "range styles");
    Require(part.foldLevels.size() == last - first, "range: a level per line");
    Require(std::equal(part.foldLevels.begin(), part.foldLevels.end(), whole.foldLevels.begin() + long(first)),
            "range fold levels");
    Require(std::equal(part.lineEndStates.begin(), part.lineEndStates.end(), whole.lineEndStates.begin() + long(first)),
            "range line states");
}

const NsisKeywords& BaseKeywords() {
    static const NsisKeywords keywords = [] {
        NsisKeywords k;
        k.SetList(0, "Name OutFile DetailPrint SetOutPath File StrCpy Goto !define !include !insertmacro");
        k.SetList(1, "$INSTDIR $0 ${NSISDIR}");
        k.SetList(2, ".onInit un.onInit");
        k.SetList(3, "HKLM MB_OK");
        return k;
    }();
    return keywords;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    // Bytes before a first NUL, when there is one, are one more keyword list.
    NsisKeywords own;
    const NsisKeywords* keywords = &BaseKeywords();
    if (const std::size_t nul = input.find('\0'); nul != std::string_view::npos && nul > 0) {
        own = BaseKeywords();
        own.SetList(int(std::uint8_t(input[0])) % NsisKeywords::kSets, input.substr(1, nul - 1));
        keywords = &own;
        input.remove_prefix(nul + 1);
    }

    const NsisLexResult whole = LexNsis(input, {}, *keywords);
    Require(whole.styles.size() == input.size(), "a style per byte");
    Require(std::all_of(whole.styles.begin(), whole.styles.end(), [](std::uint8_t s) { return s <= 18; }),
            "styles are the NSIS lexer's 0 to 18");
    const std::vector<std::size_t> starts = LineStarts(input);
    Require(whole.foldLevels.size() == starts.size() && whole.lineEndStates.size() == starts.size(),
            "a level per line");
    CheckFolds(whole);
    for (const NsisLexState& state : whole.lineEndStates)
        Require(NsisLexState::Unpack(state.Pack()) == state, "states survive being kept as integers");

    // Up to 16 cuts spread over the lines, each to the end and to the next cut.
    const std::size_t lines = starts.size();
    const std::size_t step = std::max<std::size_t>(1, lines / 16);
    for (std::size_t first = 0; first < lines; first += step) {
        CheckRange(input, starts, whole, *keywords, first, lines);
        CheckRange(input, starts, whole, *keywords, first, std::min(lines, first + step));
    }
    return 0;
}
