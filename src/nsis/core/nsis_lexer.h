// NSIS colouring and folding: one style byte per byte and one fold level per line, from any line start and its state.
#pragma once

#include "nsis/core/nsis_keywords.h"
#include "nsis/core/nsis_lex_state.h"

#include <cstdint>
#include <string_view>
#include <vector>

struct NsisLexResult {
    std::vector<std::uint8_t> styles;         // one per byte of the text
    std::vector<int> foldLevels;              // one per line the text holds, header flag included
    std::vector<NsisLexState> lineEndStates;  // what each of those lines hands to the next
};

// text begins at a line start, in the state the line before it ended with
// (a default state at the start of a document). Lines end with CR LF, LF or
// CR as in the editing component; a last line without an end counts too.
// Follows makensis's reading: ';' and '#' comments and quotes only at the
// start of a token, "/* */" comments, and '\' before the line end (blanks
// may follow it) continuing the line, comments and strings included.
NsisLexResult LexNsis(std::string_view text, NsisLexState state, const NsisKeywords& keywords);
