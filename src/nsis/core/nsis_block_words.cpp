// The NSIS words that open and close blocks (sections, functions, macros, conditionals): their style and fold role.
#include "nsis/core/nsis_block_words.h"

#include <array>

namespace {

constexpr std::array kBlockWords = {
    NsisBlockWord{"section", NsisStyle::Section, FoldRole::Opens},
    NsisBlockWord{"sectionend", NsisStyle::Section, FoldRole::Closes},
    NsisBlockWord{"subsection", NsisStyle::SubSection, FoldRole::Opens},
    NsisBlockWord{"subsectionend", NsisStyle::SubSection, FoldRole::Closes},
    NsisBlockWord{"sectiongroup", NsisStyle::SectionGroup, FoldRole::Opens},
    NsisBlockWord{"sectiongroupend", NsisStyle::SectionGroup, FoldRole::Closes},
    NsisBlockWord{"pageex", NsisStyle::PageEx, FoldRole::Opens},
    NsisBlockWord{"pageexend", NsisStyle::PageEx, FoldRole::Closes},
    NsisBlockWord{"function", NsisStyle::FunctionDefinition, FoldRole::Opens},
    NsisBlockWord{"functionend", NsisStyle::FunctionDefinition, FoldRole::Closes},
    NsisBlockWord{"!macro", NsisStyle::Macro, FoldRole::Opens},
    NsisBlockWord{"!macroend", NsisStyle::Macro, FoldRole::Closes},
    NsisBlockWord{"!if", NsisStyle::IfDefine, FoldRole::Opens},
    NsisBlockWord{"!ifdef", NsisStyle::IfDefine, FoldRole::Opens},
    NsisBlockWord{"!ifndef", NsisStyle::IfDefine, FoldRole::Opens},
    NsisBlockWord{"!ifmacrodef", NsisStyle::IfDefine, FoldRole::Opens},
    NsisBlockWord{"!ifmacrondef", NsisStyle::IfDefine, FoldRole::Opens},
    // "!else" and "!else ifdef X" end one branch and start the next.
    NsisBlockWord{"!else", NsisStyle::IfDefine, FoldRole::Reopens},
    NsisBlockWord{"!endif", NsisStyle::IfDefine, FoldRole::Closes},
};

}  // namespace

std::span<const NsisBlockWord> NsisBlockWords() { return kBlockWords; }
