// The statistics line as makensis is given it: the command line becomes a definition.
#include "nsis/core/stat_symbol.h"

#include <gtest/gtest.h>

namespace {
const QByteArray kLine = "KorvaneID 7KFBDS3C     /*  安装统计项名称：【演示】  */";
}  // namespace

TEST(StatSymbol, CommandLineBecomesDefinition) {
    struct Case {
        const char* name;
        QByteArray script;
        QByteArray expected;  // empty: unchanged
    };
    const Case cases[] = {
        {"inserted form", "OutFile a.exe\r\n  " + kLine + "\r\nSection\r\n",
         "OutFile a.exe\r\n  !define KorvaneID \"7KFBDS3C\"     /*  安装统计项名称：【演示】  */\r\nSection\r\n"},
        {"any letter case", "\tkorvaneid 1ABC ; note\n", "\t!define KorvaneID \"1ABC\" ; note\n"},
        {"block comment opened on the line stays open", "KorvaneID 1ABC /* a\nb */\n",
         "!define KorvaneID \"1ABC\" /* a\nb */\n"},
        {"commented out", ";KorvaneID 统计编号 x\n", {}},
        {"inside a block comment", "/*\nKorvaneID 1ABC\n*/\n", {}},
        {"no number", "KorvaneID\n", {}},
        {"number with a quote", "KorvaneID 1A\"B\n", {}},
        {"more after the number", "KorvaneID 1AB 2CD\n", {}},
        {"not the first word", "DetailPrint KorvaneID 1AB\n", {}},
    };
    for (const Case& c : cases) {
        QByteArray script = c.script;
        const bool changed = DefineStatSymbol(script);
        EXPECT_EQ(changed, !c.expected.isEmpty()) << c.name;
        EXPECT_EQ(script, c.expected.isEmpty() ? c.script : c.expected) << c.name;
        EXPECT_EQ(script.count('\n'), c.script.count('\n')) << c.name;
    }
}
