// Statistics code insertion as text edits, and the statistics line as makensis is given it.
#include "online/core/stat_code.h"
#include "nsis/core/stat_line.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray Apply(QByteArray text, const std::vector<TextEdit>& edits) {
    for (const TextEdit& edit : edits)
        text.replace(edit.position, edit.removed, edit.inserted);
    return text;
}

const QByteArray kLine = "KorvaneID 7KFBDS3C     /*  安装统计项名称：【演示】  */";

}  // namespace

TEST(StatCode, InsertsAfterOutFileReplacingOldLines) {
    struct Case {
        const char* name;
        QByteArray script;
        QByteArray expected;
        int statLine;
    };
    const QByteArray wizardLine = ";KorvaneID 统计编号     /*  安装统计项名称：【Demo】  */";
    const Case cases[] = {
        {"two-blank indentation", "Name x\r\n  OutFile \"a.exe\"\r\nSection\r\n",
         "Name x\r\n  OutFile \"a.exe\"\r\n  " + kLine + "\r\nSection\r\n", 2},
        {"old line deleted first", "OutFile a.exe\r\nKorvaneID 1ABC /* old */\r\nSection\r\n",
         "OutFile a.exe\r\n" + kLine + "\r\nSection\r\n", 1},
        {"old line above OutFile", "korvaneid 1\r\nName x\r\nOutFile a.exe\r\n",
         "Name x\r\nOutFile a.exe\r\n" + kLine + "\r\n", 2},
        {"commented wizard line stays", "OutFile a.exe\r\n" + wizardLine + "\r\n",
         "OutFile a.exe\r\n" + kLine + "\r\n" + wizardLine + "\r\n", 1},
        {"tabs become blanks", "\t\tOutFile a.exe\r\n", "\t\tOutFile a.exe\r\n  " + kLine + "\r\n", 1},
        {"the last OutFile counts", "OutFile a.exe\nOutFile b.exe\n", "OutFile a.exe\nOutFile b.exe\n" + kLine + "\n",
         2},
        {"OutFile on the last line", "OutFile a.exe", "OutFile a.exe\r\n" + kLine, 1},
        {"no OutFile: first line of its own", "Name x\nSection\n", kLine + "\nName x\nSection\n", 0},
        {"empty script", "", kLine + "\r\n", 0},
        {"inside a block comment", "/* OutFile x.exe\nKorvaneID 1 */\nOutFile a.exe\n",
         "/* OutFile x.exe\nKorvaneID 1 */\nOutFile a.exe\n" + kLine + "\n", 3},
        {"after a semicolon", "; OutFile x.exe\nOutFile a.exe ; KorvaneID\n",
         "; OutFile x.exe\nOutFile a.exe ; KorvaneID\n" + kLine + "\n", 2},
        {"a semicolon in quotes is text", "Name \"a;b\" /*\n*/ OutFile a.exe\n",
         "Name \"a;b\" /*\n*/ OutFile a.exe\n   " + kLine + "\n", 2},
        {"indentation stops at 64", QByteArray(70, ' ') + "OutFile a.exe\n",
         QByteArray(70, ' ') + "OutFile a.exe\n" + QByteArray(64, ' ') + kLine + "\n", 1},
        {"lines of 2048 bytes are not read", "OutFile a.exe\nKorvaneID 1" + QByteArray(2040, ' ') + "\n",
         "OutFile a.exe\n" + kLine + "\nKorvaneID 1" + QByteArray(2040, ' ') + "\n", 1},
    };
    for (const Case& c : cases) {
        const StatCodeEdit plan = PlanStatCode(c.script, u"7KFBDS3C"_s, StatComment(u"演示"_s));
        EXPECT_EQ(Apply(c.script, plan.edits), c.expected) << c.name;
        EXPECT_EQ(plan.statLine, c.statLine) << c.name;
    }
}
