// What NSIS styling carries from one line to the next, small enough to keep as one integer.
#pragma once

#include "nsis/core/fold_level.h"

#include <cstdint>

// Where the previous line left off: a fresh line, a line continued with '\',
// or inside a comment or string that goes on.
enum class NsisLineMode : std::uint8_t {
    LineStart,
    Continued,
    LineComment,
    BlockComment,
    DoubleQuoted,
    BackQuoted,
    SingleQuoted,
};

struct NsisLexState {
    NsisLineMode mode = NsisLineMode::LineStart;
    // The previous line is a fold header; the next line may then not dip below it.
    bool afterHeader = false;
    int foldLevel = kFoldLevelBase;  // the level the next line starts at

    bool operator==(const NsisLexState&) const = default;

    // Bits 0-3 mode, bit 4 afterHeader, bits 8-19 fold level.
    int Pack() const;
    // Any integer gives a valid state: one never stored reads as a fresh line.
    static NsisLexState Unpack(int packed);
};
