// What NSIS styling carries from one line to the next, small enough to keep as one integer.
#include "nsis/core/nsis_lex_state.h"

#include <algorithm>

namespace {
constexpr int kModeMask = 0xF;
constexpr int kAfterHeaderBit = 0x10;
constexpr int kLevelShift = 8;
}  // namespace

int NsisLexState::Pack() const {
    return int(mode) | (afterHeader ? kAfterHeaderBit : 0) | ((foldLevel & kFoldLevelNumberMask) << kLevelShift);
}

NsisLexState NsisLexState::Unpack(int packed) {
    NsisLexState state;
    const int mode = packed & kModeMask;
    if (mode <= int(NsisLineMode::SingleQuoted))
        state.mode = NsisLineMode(mode);
    state.afterHeader = (packed & kAfterHeaderBit) != 0;
    state.foldLevel = std::max(kFoldLevelBase, (packed >> kLevelShift) & kFoldLevelNumberMask);
    return state;
}
