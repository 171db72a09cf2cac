// The keyword lists NSIS text is coloured by, matched without regard to letter case like makensis does.
#pragma once

#include "nsis/core/nsis_block_words.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct NsisWordClass {
    NsisStyle style = NsisStyle::Default;
    FoldRole role = FoldRole::None;
};

class NsisKeywords {
public:
    // Set 0 commands, 1 variables, 2 labels (the callback functions), 3 user-defined words.
    static constexpr int kSets = 4;

    NsisKeywords();

    // Replaces one set with the blank-separated words; other set numbers are ignored.
    void SetList(int set, std::string_view words);
    // The block words win over the lists, and a lower set over a higher one.
    NsisWordClass Classify(std::string_view word) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    void Rebuild();

    std::array<std::vector<std::string>, kSets> m_lists;
    std::unordered_map<std::string, NsisWordClass, Hash, std::equal_to<>> m_classes;
    std::size_t m_longest = 0;
};
