// The makensis argument list, its log line and the child's locale.
#include "compiler/core/compile_command.h"

#include <gtest/gtest.h>

// Each compressor's switch is proven by makensis itself in the compile worker's tests.
TEST(CompileCommand, CompressorOutsideTheTableLeavesTheScriptsChoice) {
    EXPECT_TRUE(CompressorName(8).isEmpty());
    EXPECT_TRUE(CompressorName(-1).isEmpty());
    CompileSettings settings;
    settings.compressor = 8;
    EXPECT_TRUE(CompileOptions(settings).isEmpty());
}

TEST(CompileCommand, OptionsComeInOrderAndEachDefsLineIsOneArgument) {
    CompileSettings settings;
    settings.compressor = 5;
    settings.disNsh = true;
    settings.disNsi = true;
    settings.defs = "/DA=1\r\n/DB\n\n  /DTITLE=My App 2  \n-DLOWER=x\nBARE";
    EXPECT_EQ(CompileArguments(settings, "/tmp/a b/s.nsi", false),
              QStringList({"-XSetCompressor /FINAL lzma", "-NOCONFIG", "-NOCD", "-DA=1", "-DB", "-DTITLE=My App 2",
                           "-DLOWER=x", "-DBARE", "--", "/tmp/a b/s.nsi"}));
    // On standard input the script is "-", which "--" would turn into a file name.
    EXPECT_EQ(CompileArguments(CompileSettings{}, "/tmp/s.nsi", true), QStringList({"-"}));
    EXPECT_EQ(CompileArguments(CompileSettings{}, "-odd.nsi", false), QStringList({"--", "-odd.nsi"}));
}

TEST(CompileCommand, LogLineQuotesAsAShellWould) {
    EXPECT_EQ(ShellQuote("/usr/bin/makensis"), "/usr/bin/makensis");
    EXPECT_EQ(ShellQuote(""), "''");
    EXPECT_EQ(ShellQuote("a b"), "'a b'");
    EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
    EXPECT_EQ(ShellQuote("$HOME"), "'$HOME'");
    EXPECT_EQ(ShellQuote("中文.nsi"), "'中文.nsi'");
    EXPECT_EQ(CommandLineLogText("/usr/bin/makensis", {"-XSetCompressor /FINAL zlib", "--", "/t/x y.nsi"}),
              "CommandLine=/usr/bin/makensis '-XSetCompressor /FINAL zlib' -- '/t/x y.nsi'\n\n");
}

TEST(CompileCommand, ChildGetsAUtf8LocaleOnlyWhenItHasNone) {
    QProcessEnvironment environment;
    environment.insert("LC_CTYPE", "C.utf8");
    environment.insert("LANG", "C");
    EXPECT_FALSE(MakensisEnvironment(environment).contains("LC_ALL"));
    environment.insert("LC_ALL", "C");
    EXPECT_EQ(MakensisEnvironment(environment).value("LC_ALL"), "C.UTF-8");
}
