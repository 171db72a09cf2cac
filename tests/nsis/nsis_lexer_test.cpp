// The NSIS lexer on text: styles of each construct, line continuation, folding, and styling that starts at any line.
#include "nsis/core/nsis_lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using S = NsisStyle;

NsisKeywords TestKeywords() {
    NsisKeywords keywords;
    keywords.SetList(0, "DetailPrint Name OutFile SetOutPath IntOp Goto StrCpy !define !insertmacro MessageBox");
    keywords.SetList(1, "$INSTDIR");
    keywords.SetList(2, ".onInit un.onInit");
    keywords.SetList(3, "HKLM MB_OK MB_ICONSTOP");
    return keywords;
}

NsisLexResult Lex(std::string_view text, NsisLexState state = {}) {
    static const NsisKeywords keywords = TestKeywords();
    return LexNsis(text, state, keywords);
}

// The style every byte of the occurrence'th fragment has; -1 when they differ or it is missing.
int StyleOf(std::string_view text, const NsisLexResult& result, std::string_view fragment, int occurrence = 0) {
    std::size_t at = text.find(fragment);
    for (int i = 0; i < occurrence && at != std::string_view::npos; ++i)
        at = text.find(fragment, at + 1);
    if (at == std::string_view::npos)
        return -1;
    const int style = result.styles[at];
    for (std::size_t i = at; i < at + fragment.size(); ++i) {
        if (result.styles[i] != style)
            return -1;
    }
    return style;
}

struct StyleCase {
    const char* text;
    const char* fragment;
    NsisStyle style;
    int occurrence = 0;
};

void ExpectStyles(const std::vector<StyleCase>& cases) {
    for (const StyleCase& c : cases) {
        const NsisLexResult result = Lex(c.text);
        EXPECT_EQ(StyleOf(c.text, result, c.fragment, c.occurrence), int(c.style))
            << "'" << c.fragment << "' in: " << c.text;
    }
}

// "2" for a line at base + 2, "0h" for a header at base.
std::vector<std::string> Levels(const NsisLexResult& result) {
    std::vector<std::string> levels;
    for (int level : result.foldLevels) {
        std::string text = std::to_string((level & kFoldLevelNumberMask) - kFoldLevelBase);
        if (level & kFoldLevelHeaderFlag)
            text += 'h';
        levels.push_back(text);
    }
    return levels;
}

}  // namespace

TEST(NsisLexer, StylesEachConstruct) {
    ExpectStyles({
        {"; a comment\nName x", "; a comment", S::Comment},
        {"# a comment\nName x", "# a comment", S::Comment},
        {"Name x ; after a command", "; after a command", S::Comment},
        {"Name \"x\";right after a string", ";right after a string", S::Comment},
        {"/* a box */ Name x", "/* a box */", S::CommentBox},
        {"/* a box */ Name x", "Name", S::Command},
        {"/* a\nlonger box */ Name x", "longer box */", S::CommentBox},
        {"Name \"double\"", "\"double\"", S::DoubleQuoted},
        {"Name `back`", "`back`", S::BackQuoted},
        {"Name 'single'", "'single'", S::SingleQuoted},
        {"Name \"say $\\\"hi$\\\" ok\" $0", "\"say $\\\"hi$\\\" ok\"", S::DoubleQuoted},
        {"Name 'it$\\'s' $0", "'it$\\'s'", S::SingleQuoted},
        {"Name `a$\\`b` $0", "`a$\\`b`", S::BackQuoted},
        {"Name \"a\" $0", "$0", S::Variable},
        {"StrCpy $R1 $INSTDIR", "$R1", S::Variable},
        {"StrCpy $my_var $INSTDIR", "$my_var", S::Variable},
        {"StrCpy $0 ${NSISDIR}\\Contrib", "${NSISDIR}", S::Variable},
        {"StrCpy $0 ${NSISDIR}\\Contrib", "\\Contrib", S::Default},
        {"StrCpy $0 $(^Name)", "$(^Name)", S::Variable},
        {"StrCpy $0 \"$INSTDIR\\app\"", "$INSTDIR", S::StringVariable},
        {"StrCpy $0 \"$INSTDIR\\app\"", "\\app\"", S::DoubleQuoted},
        {"StrCpy $0 \"${NSISDIR}\"", "${NSISDIR}", S::StringVariable},
        {"StrCpy $0 '$(^Name)'", "$(^Name)", S::StringVariable},
        {"StrCpy $0 \"cost $$5\"", "$$5", S::DoubleQuoted},
        {"StrCpy $0 \"$\\r$\\n\"", "$\\r$\\n", S::DoubleQuoted},
        {"IntOp $0 $0 + 10", "10", S::Number},
        {"IntOp $0 $0 | 0x1F", "0x1F", S::Number},
        {"VIProductVersion 1.2.3.4", "1.2.3.4", S::Number},
        {"IntOp $0 $0 + 1a", "1a", S::Default},
        {"loop:\nGoto loop", "loop:", S::Label},
        {"  done: ; end\nName x", "done:", S::Label},
        {"loop:\nGoto loop", "loop", S::Default, 1},
        {"-x:\nName x", "-x:", S::Default},
        {"Function .onInit", ".onInit", S::Label},
        {"Function un.onInit", "un.onInit", S::Label},
        {"MessageBox MB_OK|MB_ICONSTOP \"x\"", "MB_OK", S::UserDefined},
        {"MessageBox MB_OK|MB_ICONSTOP \"x\"", "MB_ICONSTOP", S::UserDefined},
        {"WriteRegStr HKLM a b c", "WriteRegStr", S::Default},
        {"setoutpath $0", "setoutpath", S::Command},
        {"SETOUTPATH $0", "SETOUTPATH", S::Command},
        {"!define X 1", "!define", S::Command},
        {"!insertmacro M", "!insertmacro", S::Command},
        // Quotes, ';', '#' and "/*" inside a token are plain characters to makensis.
        {"Name a;b", ";b", S::Default},
        {"Name x#y", "#y", S::Default},
        {"Name p/*q", "/*q", S::Default},
        {"StrCpy $0 it's", "'s", S::Default},
        // An unclosed string stops at the line end.
        {"Name \"open\nOutFile x", "OutFile", S::Command},
        {"Name \"open\nOutFile x", "\"open", S::DoubleQuoted},
    });
}

TEST(NsisLexer, BlockWordsHaveTheirOwnStyles) {
    const std::pair<const char*, NsisStyle> words[] = {
        {"Section", S::Section},
        {"SectionEnd", S::Section},
        {"SubSection", S::SubSection},
        {"SubSectionEnd", S::SubSection},
        {"SectionGroup", S::SectionGroup},
        {"SectionGroupEnd", S::SectionGroup},
        {"PageEx", S::PageEx},
        {"PageExEnd", S::PageEx},
        {"Function", S::FunctionDefinition},
        {"FunctionEnd", S::FunctionDefinition},
        {"!macro", S::Macro},
        {"!macroend", S::Macro},
        {"!if", S::IfDefine},
        {"!ifdef", S::IfDefine},
        {"!ifndef", S::IfDefine},
        {"!ifmacrodef", S::IfDefine},
        {"!ifmacrondef", S::IfDefine},
        {"!else", S::IfDefine},
        {"!endif", S::IfDefine},
        {"sectionend", S::Section},
    };
    for (const auto& [word, style] : words) {
        const std::string text = std::string(word) + " x\n";
        EXPECT_EQ(StyleOf(text, Lex(text), word), int(style)) << word;
    }
}

TEST(NsisLexer, BackslashAtTheLineEndContinuesTheLine) {
    ExpectStyles({
        // The pattern the component's own lexer aborts on.
        {"; Install into $PROGRAMFILES\\MyApp\\\nOutFile \"a.exe\"\n", "OutFile \"a.exe\"", S::Comment},
        {"; c\\\r\nOutFile x\r\nName y\r\n", "OutFile x", S::Comment},
        {"; c\\\r\nOutFile x\r\nName y\r\n", "Name", S::Command},
        {"; c\\  \t\nOutFile x\n", "OutFile x", S::Comment},
        {"; c\\\rOutFile x\rName y", "OutFile x", S::Comment},
        {"; c\\\n\\\nOutFile x\nName y", "OutFile x", S::Comment},
        {"; c\\\n\\\nOutFile x\nName y", "Name", S::Command},
        {"# c\\\nOutFile x\n", "OutFile x", S::Comment},
        {"Name x ; c\\\nOutFile x\n", "OutFile x", S::Comment},
        // A string over three lines, and what follows it.
        {"DetailPrint \"one\\\ntwo\\\nthree\" $0\n", "two", S::DoubleQuoted},
        {"DetailPrint \"one\\\ntwo\\\nthree\" $0\n", "three\"", S::DoubleQuoted},
        {"DetailPrint \"one\\\ntwo\\\nthree\" $0\n", "$0", S::Variable},
        {"DetailPrint \"one $0\\\r\n$1 two\"\r\n", "$1", S::StringVariable},
        {"DetailPrint `a\\\nb` 'c\\\nd'", "b`", S::BackQuoted},
        {"DetailPrint `a\\\nb` 'c\\\nd'", "d'", S::SingleQuoted},
        // A continued line's first word is no label and no command position.
        {"Goto \\\n  done:\n", "done:", S::Default},
        {"WriteRegStr HKLM \\\n  \"Software\" x\n", "\"Software\"", S::DoubleQuoted},
        // The end of a comment that spanned lines starts a fresh line.
        {"/* a\n*/ done:\n", "done:", S::Label},
    });
}

TEST(NsisLexer, BackslashAtTheVeryEndOfTheText) {
    const std::pair<const char*, NsisLineMode> cases[] = {
        {"; c\\", NsisLineMode::LineComment},
        {"Name x\\", NsisLineMode::Continued},
        {"Name \"x\\", NsisLineMode::DoubleQuoted},
        {"\\", NsisLineMode::LineStart},
    };
    for (const auto& [text, mode] : cases) {
        const NsisLexResult result = Lex(text);
        ASSERT_EQ(result.styles.size(), std::string_view(text).size()) << text;
        ASSERT_EQ(result.lineEndStates.size(), 1u) << text;
        EXPECT_EQ(result.lineEndStates[0].mode, mode) << text;
    }
}

TEST(NsisLexer, FoldsBlocksConditionalsAndCommentBoxes) {
    struct FoldCase {
        const char* text;
        std::vector<std::string> levels;
    };
    const FoldCase cases[] = {
        {"Section a\n  Nop\nSectionEnd\nName x", {"0h", "1", "1", "0"}},
        {"sectiongroup g\nSection a\nSectionEnd\nSectionGroupEnd\n", {"0h", "1h", "2", "1"}},
        {"SubSection s\nSubSectionEnd\n", {"0h", "1"}},
        {"Function f\nFunctionEnd\nPageEx license\nPageExEnd\n", {"0h", "1", "0h", "1"}},
        {"!macro M\n  Nop\n!macroend\n", {"0h", "1", "1"}},
        // "!else" closes one branch and opens the next at the outer level.
        {"!ifdef A\nNop\n!else\nNop\n!endif\nNop", {"0h", "1", "0h", "1", "1", "0"}},
        {"!if 1\n!else ifdef B\nNop\n!endif\n", {"0h", "1", "1", "1"}},
        {"Section a\n!ifndef X\nNop\n!else\nNop\n!endif\nSectionEnd\n", {"0h", "1h", "2", "1h", "2", "2", "1"}},
        {"!ifmacrodef M\n!endif\n!ifmacrondef M\n!endif\n", {"0h", "1", "0h", "1"}},
        // Comment boxes fold when they span lines.
        {"/* one\ntwo\n*/\nName x", {"0h", "1", "1", "0"}},
        {"/* one */\nName x", {"0", "0"}},
        {"Section a\n/* c\n*/ SectionEnd\n", {"0h", "1h", "2"}},
        // Only a line's first word opens or closes; strays stay at the base.
        {"DetailPrint Section\nName x", {"0", "0"}},
        {"SectionEnd\n!endif\nName x", {"0", "0", "0"}},
        {"; Section\n\"Section\"\nName x", {"0", "0", "0"}},
        {"DetailPrint \\\nSection\nNop", {"0", "0", "0"}},
        {"/* c */ Section a\nSectionEnd", {"0h", "1"}},
    };
    for (const FoldCase& c : cases)
        EXPECT_EQ(Levels(Lex(c.text)), c.levels) << c.text;
}

TEST(NsisLexer, StatesKeptAsIntegersComeBackWhole) {
    const NsisLexState states[] = {
        {},
        {NsisLineMode::SingleQuoted, true, kFoldLevelBase + 7},
        {NsisLineMode::BlockComment, false, kFoldLevelNumberMask},
    };
    for (const NsisLexState& state : states)
        EXPECT_EQ(NsisLexState::Unpack(state.Pack()), state);
    // The component answers 0 for a line never given a state: a fresh line at the base.
    EXPECT_EQ(NsisLexState::Unpack(0), NsisLexState{});
}

namespace {

// Every construct of the tests above in one text, with every kind of line end.
std::string MixedScript() {
    return "; header\\\ncontinued comment\r\n"
           "/* box\r\n  still box */ Section \"Main\" SEC01\n"
           "  SetOutPath \"$INSTDIR\\bin\"\n"
           "  DetailPrint \"one\\\n  two\\\r\n  three\" ${NSISDIR}\r"
           "  loop: IntOp $0 $0 + 0x10\n"
           "  !ifdef X\n    MessageBox MB_OK|MB_ICONSTOP `$(^Name)`\n  !else\n    Goto loop\n  !endif\n"
           "SectionEnd ; done \\  \n"
           "Function .onInit\n  StrCpy $0 'it$\\'s' ; \"\n  !macro M\n  !macroend\nFunctionEnd\n"
           "DetailPrint \"unclosed\nName x\\";
}

}  // namespace

TEST(NsisLexer, StylingFromAnyLineStartMatchesStylingTheWhole) {
    const std::string text = MixedScript();
    const NsisLexResult whole = Lex(text);
    std::vector<std::size_t> lineStarts = {0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if ((text[i] == '\n' || text[i] == '\r') && !crlf)
            lineStarts.push_back(i + 1);
    }
    ASSERT_EQ(lineStarts.size(), whole.foldLevels.size());
    for (std::size_t first = 0; first < lineStarts.size(); ++first) {
        // From each line start to the end, and to each later line start.
        for (std::size_t last = first + 1; last <= lineStarts.size(); ++last) {
            const std::size_t begin = lineStarts[first];
            const std::size_t end = last < lineStarts.size() ? lineStarts[last] : text.size();
            const NsisLexState before = first > 0 ? whole.lineEndStates[first - 1] : NsisLexState{};
            const NsisLexResult part = Lex(std::string_view(text).substr(begin, end - begin), before);
            ASSERT_TRUE(std::equal(part.styles.begin(), part.styles.end(), whole.styles.begin() + long(begin)))
                << "lines " << first << " to " << last;
            ASSERT_TRUE(
                std::equal(part.foldLevels.begin(), part.foldLevels.end(), whole.foldLevels.begin() + long(first)))
                << "lines " << first << " to " << last;
            ASSERT_EQ(part.lineEndStates.back(), whole.lineEndStates[last - 1]) << "lines " << first << " to " << last;
        }
    }
}

TEST(NsisLexer, RestylingFromAnEditedLineMatchesAFullRestyle) {
    struct Edit {
        const char* why;
        std::size_t at;
        std::size_t removed;
        const char* inserted;
    };
    const std::string original = MixedScript();
    const Edit edits[] = {
        {"a comment ending in a backslash", original.find("SectionEnd"), 0, "; note \\\n"},
        {"the backslash removed", original.find("\\\ncontinued"), 1, ""},
        {"a quote opened", original.find("SetOutPath"), 0, "\""},
        {"a box opened", original.find("Function"), 0, "/*"},
        {"a line end removed", original.find("\n  !ifdef"), 1, ""},
        {"a section opened", original.find("Name x"), 0, "Section\n"},
        {"everything after the first line removed", original.find('\n') + 1, std::string::npos, ""},
    };
    const NsisLexResult before = Lex(original);
    for (const Edit& edit : edits) {
        ASSERT_NE(edit.at, std::string::npos) << edit.why;
        std::string edited = original;
        edited.replace(edit.at, edit.removed, edit.inserted);
        // As the view does: back to the edited line's start, with the state the line above kept.
        std::size_t line = 0;
        std::size_t lineStart = 0;
        for (std::size_t i = 0; i < edit.at; ++i) {
            if (original[i] == '\n' || (original[i] == '\r' && original[i + 1] != '\n')) {
                ++line;
                lineStart = i + 1;
            }
        }
        const NsisLexState state = line > 0 ? before.lineEndStates[line - 1] : NsisLexState{};
        const NsisLexResult restyled = Lex(std::string_view(edited).substr(lineStart), state);
        const NsisLexResult full = Lex(edited);
        EXPECT_TRUE(std::equal(restyled.styles.begin(), restyled.styles.end(), full.styles.begin() + long(lineStart)))
            << edit.why;
        EXPECT_TRUE(
            std::equal(restyled.foldLevels.begin(), restyled.foldLevels.end(), full.foldLevels.begin() + long(line)))
            << edit.why;
    }
}
