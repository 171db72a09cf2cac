// The toolchain check against what this machine really has.
#include "compiler/core/toolchain_facts.h"
#include "support/nsis_dir.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
QString Output(const QString& program, const QStringList& arguments) {
    return QString::fromLocal8Bit(RunTool(program, arguments, {.stdoutOnly = true}).output);
}
}  // namespace

TEST(ToolchainFacts, MatchWhatTheProgramsAndFoldersOfThisMachineSay) {
    const ToolchainFacts facts = GatherToolchainFacts("/usr/bin/makensis", 30000);
    EXPECT_TRUE(facts.makensisRuns);
    EXPECT_EQ(facts.version, Output("/usr/bin/makensis", {"-VERSION"}).trimmed());
    EXPECT_EQ(facts.nsisDir, NsisDir());
    EXPECT_EQ(facts.configLog, Output("/usr/bin/makensis", {"-HDRINFO"}).contains("NSIS_CONFIG_LOG"));
    QStringList stubs;
    for (const QString& target : kStubTargets) {
        if (QFileInfo::exists(NsisDir() + "/Stubs/lzma-" + target))
            stubs << target;
    }
    EXPECT_EQ(facts.stubTargets, stubs);
    EXPECT_EQ(facts.includeFolder, NsisDir() + "/Include");
    EXPECT_EQ(facts.manual.isEmpty(), !QFileInfo::exists("/usr/share/doc/nsis/Docs/Contents.html"));
    EXPECT_EQ(facts.wine.runs64, QFileInfo("/usr/lib/wine/wine64").isExecutable());
    EXPECT_EQ(facts.wine.runs32, QFileInfo("/usr/lib/wine/wine").isExecutable());
    EXPECT_EQ(facts.wineVersion, facts.wine.wine.isEmpty() ? QString() : Output("wine", {"--version"}).trimmed());

    // Every missing row says what installing it brings; present rows say nothing.
    for (const ToolchainItem& item : ToolchainItems(facts))
        EXPECT_EQ(item.gain.isEmpty(), item.present) << item.name.toStdString();
}

TEST(ToolchainFacts, AMissingCompilerIsNamedWithItsDebianPackage) {
    const ToolchainFacts facts = GatherToolchainFacts("/nonexistent/makensis", 1000);
    EXPECT_FALSE(facts.makensisRuns);
    EXPECT_TRUE(facts.stubTargets.isEmpty());
    const ToolchainItem compiler = ToolchainItems(facts).first();
    EXPECT_FALSE(compiler.present);
    EXPECT_EQ(compiler.found, "/nonexistent/makensis 无法运行");
    EXPECT_TRUE(compiler.gain.endsWith("apt-get install nsis"));
}
