// OutlineScanner and ScanOutline: read a script's lines into its outline entries.
#pragma once

#include "outline/core/outline_item.h"

#include <string>
#include <string_view>

// Lines of this many bytes or more (line end included) give no entry.
inline constexpr std::size_t kOutlineMaxLineBytes = 2048;

// Reads a UTF-8 text given in pieces, lines ending in LF, CR LF or a lone CR
// as the editor counts them. Group ends are kept in the result.
class OutlineScanner {
public:
    OutlineScanner();

    // The next piece of the text. Every piece but the last ends at a line
    // end; a CR ending a piece is a whole line end (no LF begins the next).
    void Feed(std::string_view piece);
    // The entries of every piece fed; the scanner is spent.
    OutlineItems Finish();

private:
    // line: without its line end; lineBytes: with it.
    void ScanLine(std::string_view line, std::size_t lineBytes, bool hasSlash);

    OutlineItems m_items;
    std::string m_buffer;  // a line with a comment cut out of its middle
    bool m_inBlock = false;
    int m_depth = 0;
    int m_line = 0;
};

// Scans a whole text as one piece.
OutlineItems ScanOutline(std::string_view utf8);
