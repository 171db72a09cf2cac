// Reading wine's registry files, comparing prefixes, and the installer facts the test run reads.
#include "compiler/core/installer_probe.h"
#include "compiler/core/prefix_snapshot.h"
#include "compiler/core/round_trip_report.h"

#include <gtest/gtest.h>

namespace {
const QByteArray kBefore = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\Machine
#arch=win64

[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall] 1796646287
#time=1dd8645f2c1456a

[Software\\Old] 1796646287
"Keep"="1"
"Gone"=dword:00000002
@="default"

[Software\\Old\\Sub\\Deep] 1796646287
"x"="y"

[System\\CurrentControlSet\\Control\\Class\\{4D36E968}\\0000] 1796646280
"DriverDateData"=hex:eb,35,d1,ee,45,86,dd,01
)reg";

const QByteArray kAfter = R"reg(WINE REGISTRY Version 2
[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App] 1796646315
#time=1dd864603c3598e
"UninstallString"="\"C:\\Program Files\\App\\uninst.exe\""
"Blob"=hex:01,02,\
  03,04

[Software\\Old] 1796646315
"Keep"="2"
@="default"

[Software\\Empty\\Leaf] 1796646315

[Software\\Microsoft\\Windows\\CurrentVersion\\Run] 1796646315

[Software\\Microsoft\\Windows\\CurrentVersion\\Fonts] 1796646315
"DejaVu Sans (TrueType)"="\\??\\unix\\usr\\share\\fonts\\DejaVuSans.ttf"

[System\\CurrentControlSet\\Control\\Class\\{4D36E968}\\0000] 1796646315
"DriverDateData"=hex:92,26,65,03,46,86,dd,01

[System\\CurrentControlSet\\Control\\Session Manager] 1796646315
"PendingFileRenameOperations"=str(7):"\\??\\C:\\users\\u\\Temp\\~nsu1.tmp\0\0\\??\\C:\\users\\u\\Temp\\~nsu1.tmp\\Un.exe\0\0"
)reg";
}  // namespace

TEST(WineRegistry, ParsesKeysWithAncestorsAndDiffsWithoutWineChurn) {
    const RegistryKeys before = ParseWineRegistry(kBefore, "HKLM");
    const RegistryKeys after = ParseWineRegistry(kAfter, "HKLM");
    EXPECT_TRUE(after.contains("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
    EXPECT_EQ(after.at("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App").at("Blob"),
              "hex:01,02,03,04");
    EXPECT_EQ(before.at("HKLM\\Software\\Old").at("@"), "\"default\"");

    const QString app = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App";
    const QList<RegistryChange> expected = {
        {ChangeKind::Added, "HKLM\\Software\\Empty\\Leaf", {}, {}},
        {ChangeKind::Added, app, "Blob", "hex:01,02,03,04"},
        {ChangeKind::Added, app, "UninstallString", R"("\"C:\\Program Files\\App\\uninst.exe\"")"},
        {ChangeKind::Changed, "HKLM\\Software\\Old", "Keep", "\"2\""},
        {ChangeKind::Removed, "HKLM\\Software\\Old", "Gone", "dword:00000002"},
        {ChangeKind::Removed, "HKLM\\Software\\Old\\Sub", {}, {}},
    };
    EXPECT_EQ(DiffRegistry(before, after), expected);
    EXPECT_EQ(FindUninstallString(expected), "\"C:\\Program Files\\App\\uninst.exe\"");
    EXPECT_EQ(RegistryDataText(R"(str(2):"%ProgramFiles%\\x\x4e2d")"), QString("%ProgramFiles%\\x中"));
}

TEST(WineRegistry, UninstallStringsSplitAsWindowsReadsThem) {
    struct Case {
        QString text;
        QString program;
        QStringList arguments;
    };
    const Case cases[] = {
        {R"("C:\Program Files\App\uninst.exe")", R"(C:\Program Files\App\uninst.exe)", {}},
        {R"("C:\A B\u.exe" /x  _?=C:\A)", R"(C:\A B\u.exe)", {"/x", "_?=C:\\A"}},
        {R"(C:\Program Files\App\Uninstall.EXE /S)", R"(C:\Program Files\App\Uninstall.EXE)", {"/S"}},
    };
    for (const Case& c : cases) {
        const WindowsCommand command = ParseUninstallString(c.text);
        EXPECT_EQ(command.program, c.program) << c.text.toStdString();
        EXPECT_EQ(command.arguments, c.arguments) << c.text.toStdString();
    }
}

TEST(WineRegistry, ExecutableHeadersNameTheirMachine) {
    QByteArray pe(0x100, '\0');
    pe.replace(0, 2, "MZ");
    pe[0x3C] = char(0x80);
    pe.replace(0x80, 4, QByteArray("PE\0\0", 4));
    pe.replace(0x84, 2, "\x4C\x01");
    EXPECT_EQ(ReadExeMachine(pe), ExeMachine::X86);
    pe.replace(0x84, 2, "\x64\x86");
    EXPECT_EQ(ReadExeMachine(pe), ExeMachine::Amd64);
    EXPECT_EQ(ReadExeMachine(pe.left(0x82)), ExeMachine::Unknown);
    EXPECT_EQ(ReadExeMachine("#!/bin/sh\n"), ExeMachine::Unknown);
    EXPECT_EQ(ReadElfClass(QByteArray("\x7f" "ELF\x02", 5)), 64);
    EXPECT_EQ(ReadElfClass(QByteArray("\x7f" "ELF\x01", 5)), 32);
    EXPECT_EQ(ReadElfClass("#!/bin/sh"), 0);
}

TEST(PrefixSnapshot, FileDiffsNameAddedChangedRemovedAndSkipTheUninstallersOwnCopy) {
    const FileTree before = {{"Program Files", {true, 0, 0}}, {"windows/a.dll", {false, 10, 1}},
                             {"windows/b.dll", {false, 10, 1}}};
    const FileTree after = {{"Program Files", {true, 0, 0}},
                            {"Program Files/App", {true, 0, 0}},
                            {"Program Files/App/Start.lnk", {false, 3, 5}},
                            {"windows/a.dll", {false, 12, 1}},
                            {"users/u/Temp/~nsu1.tmp", {true, 0, 0}},
                            {"users/u/Temp/~nsu1.tmp/Un.exe", {false, 9, 9}}};
    const PrefixChanges changes{DiffFileTree(before, after), {}};
    const QList<FileChange> expected = {{ChangeKind::Added, "Program Files/App", true},
                                        {ChangeKind::Added, "Program Files/App/Start.lnk", false},
                                        {ChangeKind::Changed, "windows/a.dll", false},
                                        {ChangeKind::Removed, "windows/b.dll", false}};
    EXPECT_EQ(changes.files, expected);
    EXPECT_EQ(changes.FileCount(), 3);
    EXPECT_EQ(changes.FolderCount(), 1);
    EXPECT_EQ(changes.Shortcuts(), QStringList{"Program Files/App/Start.lnk"});
    EXPECT_EQ(WindowsPath("Program Files/App"), "C:\\Program Files\\App");
}

TEST(RoundTripReport, SummariesAndExitCodesFollowTheOutcome) {
    RoundTripReport report;
    report.install = {StepOutcome::Finished, 0, {}};
    report.uninstall = {StepOutcome::Finished, 0, {}};
    report.installed.files = {{ChangeKind::Added, "App/a.txt", false}, {ChangeKind::Added, "App", true}};
    report.installed.registry = {{ChangeKind::Added, "HKLM\\Software\\A", "v", "\"1\""}};
    EXPECT_EQ(InstallSummary(report), "安装: 退出码 0, 写入 1 个文件, 1 个文件夹, 1 个注册表项");
    EXPECT_EQ(UninstallSummary(report), "卸载: 遗留 0 个文件, 0 个注册表项");
    EXPECT_EQ(RoundTripExitCode(report), 0);

    report.leftovers.registry = report.installed.registry;
    EXPECT_EQ(UninstallSummary(report), "卸载: 遗留 0 个文件, 1 个注册表项");
    EXPECT_EQ(RoundTripExitCode(report), 1);

    report.leftovers = {};
    report.uninstall = {StepOutcome::TimedOut, -1, {}};
    EXPECT_EQ(RoundTripExitCode(report), 1);
    report.problem = "no wine";
    EXPECT_EQ(RoundTripExitCode(report), 2);
}

TEST(InstallerProbe, ScriptsChooseADirectoryThroughInstallDirOrADirectoryPage) {
    EXPECT_TRUE(ScriptChoosesDirectory("Name a\n  InstallDir \"$PROGRAMFILES\\A\"\n"));
    EXPECT_TRUE(ScriptChoosesDirectory("!insertmacro MUI_PAGE_DIRECTORY\n"));
    EXPECT_TRUE(ScriptChoosesDirectory("page Directory\n"));
    EXPECT_FALSE(ScriptChoosesDirectory("; InstallDir \"x\"\nSection\nSectionEnd\n"));
}
