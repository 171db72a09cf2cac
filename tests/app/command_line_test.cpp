// Command-line rules: the compile switch and which path counts.
#include "app/core/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, CompileSwitchInEitherFormAndCase) {
    for (const char* flag : {"/c", "/C", "-c", "-C"}) {
        const CommandLine line = ParseCommandLine({QString::fromLatin1(flag), QStringLiteral("a.nsi")});
        EXPECT_TRUE(line.compile) << flag;
        EXPECT_EQ(line.path, QStringLiteral("a.nsi"));
    }
}

TEST(CommandLine, LongerSwitchesAreIgnored) {
    const CommandLine line = ParseCommandLine({QStringLiteral("/Cx"), QStringLiteral("-CC"), QStringLiteral("/X")});
    EXPECT_FALSE(line.compile);
    EXPECT_TRUE(line.path.isEmpty());
}

TEST(CommandLine, OnlyTheLastPathCountsTrimmedAndWithoutQuotes) {
    const CommandLine line =
        ParseCommandLine({QStringLiteral("first.nsi"), QStringLiteral("  \"my \"dir\"/second.nsi\" ")});
    EXPECT_EQ(line.path, QStringLiteral("my dir/second.nsi"));
}

TEST(CommandLine, AbsolutePathsAreNotSwitches) {
    const CommandLine line = ParseCommandLine({QStringLiteral("/home/user/setup.nsi"), QStringLiteral("/C")});
    EXPECT_EQ(line.path, QStringLiteral("/home/user/setup.nsi"));
    EXPECT_TRUE(line.compile);
}
