// Fold levels in the editing component's encoding: a nesting number from a base, plus a header flag.
#pragma once

// The component's values; logic cannot include its header.
constexpr int kFoldLevelBase = 0x400;
constexpr int kFoldLevelHeaderFlag = 0x2000;
constexpr int kFoldLevelNumberMask = 0x0FFF;
