// The line scanner: comments, quotes, tokens, names, the keyword table and nesting.
#include "outline/core/outline_scanner.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each item as "line/depth label"; a group end as "line END".
QStringList Rows(const OutlineItems& items) {
    QStringList rows;
    for (const OutlineItem& item : items)
        rows << (item.IsGroupEnd() ? QStringLiteral("%1 END%2").arg(item.line).arg(item.label)
                                   : QStringLiteral("%1/%2 %3").arg(item.line).arg(item.depth).arg(item.label));
    return rows;
}

QStringList Rows(std::string_view text) { return Rows(ScanOutline(text)); }

// Where lines after the first begin as the editor counts them: after an LF, and after a CR that no LF follows.
std::vector<std::size_t> LineStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            starts.push_back(i + 1);
    }
    return starts;
}

OutlineItems ScanInPieces(std::string_view text, const std::vector<std::size_t>& cuts) {
    OutlineScanner scanner;
    std::size_t from = 0;
    for (const std::size_t cut : cuts) {
        scanner.Feed(text.substr(from, cut - from));
        from = cut;
    }
    scanner.Feed(text.substr(from));
    return scanner.Finish();
}

QStringList Labels(std::string_view text) {
    QStringList labels;
    for (const OutlineItem& item : ScanOutline(text)) {
        if (!item.IsGroupEnd())
            labels << item.label;
    }
    return labels;
}

}  // namespace

TEST(OutlineScanner, LabelsTakeTheTableSpellingAndTheRestOfTheLineWithoutComments) {
    const struct {
        std::string_view text;
        QStringList labels;
    } cases[] = {
        {"section Main\n", {"Section Main"}},
        {"FUNCTION .onInit\r\n", {"Function .onInit"}},
        {"  !MACRO Foo a b\n", {"!macro Foo a b"}},
        {"${mementosection} \"Core\" SecCore\n", {"${MementoSection} \"Core\" SecCore"}},
        {"!IfNDef X\n!ifdef Y\npageex license\n", {"!ifndef X", "!ifdef Y", "PageEx license"}},
        // The single character that ends the token is dropped, whatever it is.
        {"Function\t\tTabbed\n", {"Function \tTabbed"}},
        {"Section\n", {"Section "}},
        // Only whole tokens of the table match.
        {"SectionEnd\nFunctionEnd\n!macroend\n!endif\nPageExEnd\n", {}},
        {"!insertmacro Foo\nSections\nCall Function\n${If} $0 == 1\n", {}},
        // A ';' comment goes, the blank before it stays.
        {"Section \"Main Files\" SecMain ; the core\n", {"Section \"Main Files\" SecMain "}},
        {"Section \"a;b\" S1\n", {"Section \"a;b\" S1"}},
        {"Section 'it;s' S2 ;x\n", {"Section 'it;s' S2 "}},
        // A double quote inside single quotes closes nothing.
        {"Section 'say \"hi;' S3\n", {"Section 'say \"hi;' S3"}},
        // Back quotes are not strings; strings end with the line.
        {"Section `a;b`\nFunction \"open\nFunction next;x\n", {"Section `a", "Function \"open", "Function next"}},
        {"; Function Commented\n   ;Section X\n", {}},
        // Quotes before the keyword still hide a ';' from the cut; slashes that open no comment change nothing.
        {"\";\" Section Q ;c\n", {"Section Q "}},
        {"Section /o \"a/b;c\" S ; d/e\n", {"Section /o \"a/b;c\" S "}},
        {"Section;cut\n", {"Section "}},
        // '#' comments cut as ';' ones do.
        {"#Function Old\n# section group marker\n   #Section X\n", {}},
        {"Section Main # the core\n", {"Section Main "}},
        {"Section#cut\n", {"Section "}},
        {"Section \"a#b\" S1 #x\n", {"Section \"a#b\" S1 "}},
        {"\"#\" Function Q\n", {"Function Q"}},
        // The cut is also made on a line whose block comment was taken out.
        {"/* x */ Function F # y /* z */\nFunction After\n", {"Function F ", "Function After"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Labels(c.text), c.labels) << c.text;
}

TEST(OutlineScanner, BlockCommentsCarryAcrossLines) {
    const std::string text =
        "/* start\n"
        "Function Hidden\n"
        "Section AlsoHidden */ Function Shown\n"
        "Function After\n"
        "Section /* inline */Inner\n"
        "/**/Function Closed\n"
        "/*/ Function Open\n"
        "Section StillIn */\n"
        "Function \"/* not a comment\"\n"
        "Function Last\n";
    // The text after "*/" moves to where the comment began: the line start.
    EXPECT_EQ(Rows(text),
              (QStringList{"2/0 Function Shown", "3/0 Function After", "4/0 Section Inner", "5/0 Function Closed",
                           "8/0 Function \"/* not a comment\"", "9/0 Function Last"}));
}

TEST(OutlineScanner, GroupsNestGroupEndsCloseAndLinesFollowTheEditorsLineEnds) {
    EXPECT_EQ(Rows("SectionGroup G1\nSection S1\nSectionGroupEnd\nSection S2\n"),
              (QStringList{"0/0 SectionGroup G1", "1/1 Section S1", "2 END", "3/0 Section S2"}));
    // An unmatched end at the root leaves the depth at the root.
    EXPECT_EQ(
        Rows("SectionGroupEnd\nSection A\nSectionGroup /e G\nSectionGroup Inner\nSection B\n"),
        (QStringList{"0 END", "1/0 Section A", "2/0 SectionGroup /e G", "3/1 SectionGroup Inner", "4/2 Section B"}));
    EXPECT_EQ(Rows("Section A\rSection B\r\n\nSection C\n\rSection D"),
              (QStringList{"0/0 Section A", "1/0 Section B", "3/0 Section C", "5/0 Section D"}));
    EXPECT_TRUE(ScanOutline("").empty());
}

TEST(OutlineScanner, LinesOf2048BytesGiveNothingButKeepCommentState) {
    const std::string fits = "Function " + std::string(2047 - 9 - 1, 'x') + "\n";  // 2047 bytes in all
    EXPECT_EQ(Labels(fits).size(), 1);
    const std::string tooLong = "Function " + std::string(2048 - 9 - 2, 'x') + "\r\n";  // 2048 with CR LF
    EXPECT_TRUE(Labels(tooLong).isEmpty());
    EXPECT_TRUE(Labels("Function " + std::string(5000, 'y')).isEmpty());

    // A comment that closes on a long line does not hide what follows it.
    const std::string closes = "/*\n" + std::string(3000, 'z') + "*/\nFunction Visible\n";
    EXPECT_EQ(Rows(closes), QStringList{"2/0 Function Visible"});
}

TEST(OutlineScanner, NamesStayWholeUtf8) {
    EXPECT_EQ(Labels("Section 安装程序\n"), QStringList{"Section 安装程序"});
    // A multi-byte character ending the token is dropped whole, not cut in half.
    EXPECT_EQ(Labels("Section中文名\n"), QStringList{"Section 文名"});
    EXPECT_EQ(Labels("Function \xff\xfe bad\n").size(), 1);
    // F5..FF never lead a sequence: such a byte after the keyword is one byte, not four.
    EXPECT_EQ(Labels("Section\xF5name\n"), QStringList{"Section name"});
    EXPECT_EQ(Labels("Function\xFFname\n"), QStringList{"Function name"});
}

TEST(OutlineScanner, TextInPiecesCutAtLineStartsGivesTheWholeTextsEntries) {
    const std::string longLine = "Function " + std::string(3000, 'x') + " /* open\r\n";
    const std::string texts[] = {
        "SectionGroup G1\r\nSection S1\r\n/* Function Hidden\r\nSection Hidden */ Section After\r\n"
        "SectionGroupEnd\r\nFunction F\r\n",
        "Section A\rSection B\r\n\nSection C\n\rSection D",
        "/*\rFunction X\r*/Function Y\rSectionGroup G\r!macro M\rSectionGroupEnd\r\r",
        "Function \"a;b\" ; c\nSectionGroup Outer\n!ifdef X /* a\n b */\nSectionGroup Inner\nPageEx 许可\n",
        longLine + "Section Hidden\r\n*/ Section Shown\r\nSectionGroupEnd\r\n",
    };
    for (const std::string& text : texts) {
        const QStringList whole = Rows(text);
        const std::vector<std::size_t> starts = LineStarts(text);
        EXPECT_EQ(Rows(ScanInPieces(text, starts)), whole) << "a piece per line: " << text;
        for (const std::size_t cut : starts)
            EXPECT_EQ(Rows(ScanInPieces(text, {cut})), whole) << "cut at " << cut << ": " << text;
    }
}
