// CLiveCheck and its plan: unsaved text checked by the real makensis without running the script's commands.
#include "compiler/core/live_check.h"
#include "compiler/core/live_check_plan.h"

#include "compiler/compile_helpers.h"
#include "support/eventually.h"
#include "support/test_files.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
TEST(LiveCheckPlan, FindsDirectivesThatRunOrWriteWhereverTheyStand) {
    const QByteArray preprocessed = "Name \"x\"\n"
                                    "  !SYSTEM \"make\"\n"
                                    "\t!appendfile \"log\" \"a\"\r\n"
                                    "!system \"again\"\n"
                                    "!systemx\n"
                                    "DetailPrint \"!execute\"\n"
                                    "!echo \"!delfile\"\n"
                                    "!tempfile T\n"
                                    "!finalize \"sign %1\"";
    EXPECT_EQ(UnsafeDirectives(preprocessed),
              (QStringList{"!system", "!appendfile", "!tempfile", "!finalize"}));
    EXPECT_TRUE(UnsafeDirectives("Section\nSectionEnd\n").isEmpty());
}

TEST(LiveCheckPlan, TheOutputOverrideFollowsTheScriptAndTheCompressorIsNotTheMenus) {
    const CompileSettings settings{kMakensis, "/DA=1", true, false, 5};
    const QStringList preprocess = PreprocessArguments(settings);
    EXPECT_EQ(preprocess, (QStringList{"-NOCONFIG", "-DA=1", "-SAFEPPO", "-"}));
    for (const bool override : {false, true}) {
        const QStringList full = FullCheckArguments(settings, "/tmp/x/i.exe", override);
        EXPECT_EQ(full.last(), "-XOutFile /tmp/x/i.exe");
        EXPECT_EQ(full.indexOf("-"), full.size() - 2);
        EXPECT_LT(full.indexOf("-XSetCompress off"), full.indexOf("-"));
        EXPECT_EQ(full.indexOf("-XSetCompressor /FINAL zlib") >= 0, override);
    }
    EXPECT_TRUE(SetsCompressor("Name x\n  setcompressor /SOLID lzma\n"));
    EXPECT_FALSE(SetsCompressor("Name x\nDetailPrint SetCompressor\n"));
}

class LiveCheckTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const { ASSERT_TRUE(WriteBytes(PathOf(name), bytes)); }

    // Checks text as the unsaved content of the document at path (empty: never saved).
    LiveCheckResult Check(const QByteArray& text, const QString& path) {
        CLiveCheck check(60000);
        QSignalSpy finished(&check, &CLiveCheck::Finished);
        check.Start({text, path, CompileSettings{kMakensis, {}, false, false, 0}});
        EXPECT_EVENTUALLY(finished.count() == 1);
        return finished.isEmpty() ? LiveCheckResult{} : finished.first().first().value<LiveCheckResult>();
    }

    // Starts a check that keeps makensis busy; its process id once it runs, else 0.
    pid_t StartHeavyCheck(CLiveCheck& check) {
        Write("script.nsi", "");
        check.Start({HeavyPreprocessorScript(), PathOf("script.nsi"), CompileSettings{kMakensis, {}, false, false, 0}});
        EXPECT_EVENTUALLY(check.ProcessId() > 0);
        return pid_t(check.ProcessId());
    }

    static const Diagnostic* FirstError(const LiveCheckResult& result) {
        for (const Diagnostic& diagnostic : result.diagnostics) {
            if (diagnostic.severity == DiagnosticSeverity::Error)
                return &diagnostic;
        }
        return nullptr;
    }

    QTemporaryDir m_dir;
};

TEST_F(LiveCheckTest, ErrorsOfTheUnsavedTextAreMarkedOnTheirLines) {
    // The file on disk is empty: only the unsaved text can put the errors there.
    Write("script.nsi", "");
    const QString script = PathOf("script.nsi");
    const struct {
        QByteArray text;
        int line;
        const char* message;
        bool fullPass;
        bool saved = true;
    } cases[] = {
        {HelloScript() + "Unknowncommand 1\n", 7, "Unknowncommand", false},
        {"Name \"x\"\n!include \"missing.nsh\"\n" + HelloScript(), 2, "missing.nsh", false},
        {"Name \"x\"\nOutFile \"x.exe\"\nSection\n  Call undefinedfn\nSectionEnd\n", 0, "undefinedfn", true},
        // A new document is checked by the preprocessor alone.
        {HelloScript() + "Unknowncommand 1\n", 7, "Unknowncommand", false, false},
    };
    for (const auto& c : cases) {
        const LiveCheckResult result = Check(c.text, c.saved ? script : QString());
        if (c.saved) {
            EXPECT_EQ(result.scriptPath, script);
        }
        EXPECT_EQ(result.fullPass, c.fullPass) << c.message;
        const Diagnostic* error = FirstError(result);
        ASSERT_NE(error, nullptr) << c.message;
        EXPECT_TRUE(error->message.contains(QLatin1String(c.message)) || error->sourceLines.join(' ').contains(c.message))
            << error->message.toStdString();
        if (c.line > 0) {
            EXPECT_EQ(error->file, result.scriptPath) << c.message;
            EXPECT_EQ(error->line, c.line) << c.message;
        }
    }
}

TEST_F(LiveCheckTest, TheFullPassShowsWarningsOfTheUnsavedTextAndWritesNothingBesideIt) {
    Write("script.nsi", "");
    const QStringList before = FolderEntries(m_dir.path());
    const LiveCheckResult result = Check(HelloScript("out.exe") + "\nVar unused\n", PathOf("script.nsi"));
    EXPECT_TRUE(result.fullPass);
    EXPECT_TRUE(result.unsafeDirectives.isEmpty());
    ASSERT_EQ(result.diagnostics.size(), 1);
    EXPECT_EQ(result.diagnostics[0].severity, DiagnosticSeverity::Warning);
    EXPECT_EQ(result.diagnostics[0].file, PathOf("script.nsi"));
    EXPECT_EQ(result.diagnostics[0].line, 8);
    EXPECT_EQ(FolderEntries(m_dir.path()), before);

    // The check's own choice of compressor warns of nothing.
    const LiveCheckResult solid = Check("SetCompressor /SOLID lzma\n" + HelloScript(), PathOf("script.nsi"));
    EXPECT_TRUE(solid.fullPass);
    EXPECT_TRUE(solid.diagnostics.isEmpty());
}

TEST_F(LiveCheckTest, ScriptCommandsNeverRunWhereverTheyComeFrom) {
    const QString marker = PathOf("marker");
    const QByteArray touch = "!system \"touch '" + marker.toUtf8() + "'\"\n";
    Write("header.nsh", touch);
    Write("script.nsi", "");
    const QByteArray cases[] = {
        touch + HelloScript(),
        "!include \"header.nsh\"\n" + HelloScript(),
        "!macro Build\n" + touch + "!macroend\n!insertmacro Build\n" + HelloScript(),
    };
    for (const QByteArray& text : cases) {
        for (const QString& path : {PathOf("script.nsi"), QString()}) {
            const LiveCheckResult result = Check(text, path);
            EXPECT_FALSE(result.fullPass) << text.constData();
            // A new document has no folder to find the header in.
            if (!path.isEmpty()) {
                EXPECT_EQ(FirstError(result), nullptr) << text.constData();
                EXPECT_EQ(result.unsafeDirectives, QStringList{"!system"}) << text.constData();
            }
        }
    }
    EXPECT_FALSE(QFile::exists(marker));
}

TEST_F(LiveCheckTest, ANewCheckKillsTheRunningOne) {
    CLiveCheck check(60000);
    QSignalSpy finished(&check, &CLiveCheck::Finished);
    const pid_t heavyPid = StartHeavyCheck(check);
    ASSERT_TRUE(IsAlive(heavyPid));

    check.Start({HelloScript(), PathOf("script.nsi"), CompileSettings{kMakensis, {}, false, false, 0}});
    EXPECT_FALSE(IsAlive(heavyPid));
    ASSERT_EVENTUALLY(finished.count() == 1);
    EXPECT_TRUE(finished.first().first().value<LiveCheckResult>().fullPass);
}

TEST_F(LiveCheckTest, ACheckPastItsLimitIsKilledAndSaysSo) {
    CLiveCheck check(300);
    QSignalSpy finished(&check, &CLiveCheck::Finished);
    const pid_t pid = StartHeavyCheck(check);
    ASSERT_EVENTUALLY(finished.count() == 1);
    const LiveCheckResult result = finished.first().first().value<LiveCheckResult>();
    EXPECT_TRUE(result.timedOut);
    EXPECT_FALSE(result.fullPass);
    EXPECT_FALSE(IsAlive(pid));
}
}  // namespace
