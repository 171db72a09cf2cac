// The keyword lists NSIS text is coloured by, matched without regard to letter case like makensis does.
#include "nsis/core/nsis_keywords.h"

#include <algorithm>

namespace {

// Longer words are never looked up, so classifying needs no allocation.
constexpr std::size_t kLongestWord = 128;

constexpr NsisStyle kSetStyles[NsisKeywords::kSets] = {NsisStyle::Command, NsisStyle::Variable, NsisStyle::Label,
                                                       NsisStyle::UserDefined};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

NsisKeywords::NsisKeywords() { Rebuild(); }

void NsisKeywords::SetList(int set, std::string_view words) {
    if (set < 0 || set >= kSets)
        return;
    std::vector<std::string>& list = m_lists[std::size_t(set)];
    list.clear();
    std::size_t i = 0;
    while (i < words.size()) {
        while (i < words.size() && IsSeparator(words[i]))
            ++i;
        const std::size_t start = i;
        while (i < words.size() && !IsSeparator(words[i]))
            ++i;
        if (i > start && i - start <= kLongestWord) {
            std::string word(words.substr(start, i - start));
            std::transform(word.begin(), word.end(), word.begin(), LowerAscii);
            list.push_back(std::move(word));
        }
    }
    Rebuild();
}

void NsisKeywords::Rebuild() {
    m_classes.clear();
    m_longest = 0;
    // emplace keeps the first entry of a word: block words first, then the sets in order.
    for (const NsisBlockWord& block : NsisBlockWords()) {
        m_classes.emplace(std::string(block.word), NsisWordClass{block.style, block.role});
        m_longest = std::max(m_longest, block.word.size());
    }
    for (int set = 0; set < kSets; ++set) {
        for (const std::string& word : m_lists[std::size_t(set)]) {
            m_classes.emplace(word, NsisWordClass{kSetStyles[set], FoldRole::None});
            m_longest = std::max(m_longest, word.size());
        }
    }
}

NsisWordClass NsisKeywords::Classify(std::string_view word) const {
    if (word.empty() || word.size() > m_longest)
        return {};
    char lower[kLongestWord];
    std::transform(word.begin(), word.end(), lower, LowerAscii);
    const auto found = m_classes.find(std::string_view(lower, word.size()));
    return found == m_classes.end() ? NsisWordClass{} : found->second;
}
