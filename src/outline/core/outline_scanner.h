// ScanOutline: reads a script's lines into its outline entries.
#pragma once

#include "outline/core/outline_item.h"

#include <string>
#include <string_view>

// Lines of this many bytes or more (line end included) give no entry.
inline constexpr std::size_t kOutlineMaxLineBytes = 2048;

// Strips ';' and block comments from one line, honouring quoted strings.
// The block-comment state runs from line to line through `inBlock`.
// The kept text is a view of `line`, or of `buffer` when a comment was cut out
// of its middle.
std::string_view StripOutlineComments(std::string_view line, bool& inBlock, std::string& buffer);

// Scans a whole UTF-8 text, lines ending in LF, CR LF or a lone CR as the
// editor counts them. Group ends are kept in the result.
OutlineItems ScanOutline(std::string_view utf8);
