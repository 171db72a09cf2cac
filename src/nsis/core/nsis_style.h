// Style numbers of NSIS text, the same numbers the editing component's own NSIS lexer uses.
#pragma once

#include <cstdint>

// stylers.xml gives each of these numbers its colours, so they must not move.
enum class NsisStyle : std::uint8_t {
    Default = 0,
    Comment = 1,
    DoubleQuoted = 2,
    BackQuoted = 3,
    SingleQuoted = 4,
    Command = 5,
    Variable = 6,
    Label = 7,
    UserDefined = 8,
    Section = 9,
    SubSection = 10,
    IfDefine = 11,
    Macro = 12,
    StringVariable = 13,
    Number = 14,
    SectionGroup = 15,
    PageEx = 16,
    FunctionDefinition = 17,
    CommentBox = 18,
};
