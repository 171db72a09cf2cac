// ScanOutline: reads a script's lines into its outline entries.
#pragma once

#include "outline/core/outline_item.h"

#include <string_view>

// Lines of this many bytes or more (line end included) give no entry.
inline constexpr std::size_t kOutlineMaxLineBytes = 2048;

// Scans a whole UTF-8 text, lines ending in LF, CR LF or a lone CR as the
// editor counts them. Group ends are kept in the result.
OutlineItems ScanOutline(std::string_view utf8);
