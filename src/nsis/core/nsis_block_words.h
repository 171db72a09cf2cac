// The NSIS words that open and close blocks (sections, functions, macros, conditionals): their style and fold role.
#pragma once

#include "nsis/core/nsis_style.h"

#include <span>
#include <string_view>

// What a block word does to folding when it is the first word of a line.
enum class FoldRole : std::uint8_t { None, Opens, Reopens, Closes };

struct NsisBlockWord {
    std::string_view word;  // lower case
    NsisStyle style;
    FoldRole role;
};

std::span<const NsisBlockWord> NsisBlockWords();
