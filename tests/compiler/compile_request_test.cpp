// The compile command's steps before the worker starts, with the real makensis.
#include "compiler/core/compile_request.h"

#include "compiler/core/compile_log_logic.h"
#include "support/scripted_prompter.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
const QByteArray kGood = "Name x\nOutFile x.exe\nRequestExecutionLevel user\nSection\nSectionEnd\n";
const QByteArray kBroken = "Name x\nOutFile x.exe\nNotACommand\n";

// The frame and its active document as the compile command sees them; the
// document's text lives here until it is saved.
class FrameStandIn : public ICompileHost {
public:
    explicit FrameStandIn(Prompter& prompter) : m_prompter(prompter) {}

    bool hasDocument = true;
    QString path;
    QByteArray text;
    bool modified = false;
    int logPaneShown = 0;
    int saves = 0;
    int settingsOpened = 0;

    bool HasActiveDocument() const override { return hasDocument; }
    void ShowLogPane() override { ++logPaneShown; }
    QString ActiveDocumentPath() const override { return path; }
    bool IsActiveDocumentModified() const override { return modified; }
    void SaveActiveDocument() override {
        ++saves;
        if (path.isEmpty())
            path = m_prompter.SaveFileName(FileDialogRequest{});
        if (path.isEmpty())
            return;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size())
            modified = false;
    }
    void OpenCompilerSettings() override { ++settingsOpened; }

private:
    Prompter& m_prompter;
};

CompileSettings Makensis() {
    CompileSettings settings;
    settings.compilerPath = "/usr/bin/makensis";
    return settings;
}

CompileResult WaitForFinish(CCompileLogLogic& logic) {
    CompileResult result;
    QEventLoop loop;
    QObject::connect(&logic, &CCompileLogLogic::CompileFinished, &loop, [&](const CompileResult& r) {
        result = r;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
}  // namespace

TEST(CompileRequest, MissingCompilerAsksAndOpensTheSettingsOnlyOnYes) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    FrameStandIn frame(prompter);
    frame.path = dir.filePath("a.nsi");
    CCompileLogLogic logic;
    CompileSettings settings;
    settings.compilerPath = dir.filePath("makensis");

    prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(RequestCompile(frame, prompter, logic, settings, true), CompileRequestOutcome::NoCompiler);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    const PromptMessage& asked = prompter.Messages()[0];
    EXPECT_EQ(asked.text, QString::fromUtf8("无法找到NSIS编译器的位置，请在设置(编译器)中进行设置。\n是否现在进入设置？"));
    EXPECT_EQ(asked.caption, QString::fromUtf8("提示"));
    EXPECT_EQ(asked.icon, PromptIcon::Question);
    EXPECT_EQ(asked.buttons, PromptButtons::YesNo);
    EXPECT_EQ(frame.settingsOpened, 1);

    prompter.QueueAnswer(PromptAnswer::No);
    settings.compilerPath.clear();
    EXPECT_EQ(RequestCompile(frame, prompter, logic, settings, true), CompileRequestOutcome::NoCompiler);
    EXPECT_EQ(frame.settingsOpened, 1);
    EXPECT_EQ(frame.logPaneShown, 0);
    EXPECT_FALSE(logic.IsCompiling());
}

TEST(CompileRequest, NothingHappensWithoutADocumentOrForAHeader) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    FrameStandIn frame(prompter);
    CCompileLogLogic logic;
    frame.hasDocument = false;
    EXPECT_EQ(RequestCompile(frame, prompter, logic, Makensis(), true), CompileRequestOutcome::NoDocument);
    EXPECT_EQ(frame.logPaneShown, 0);

    frame.hasDocument = true;
    frame.path = dir.filePath("lib.NSH");
    WriteFile(frame.path, kGood);
    EXPECT_EQ(RequestCompile(frame, prompter, logic, Makensis(), true), CompileRequestOutcome::NotAScript);
    EXPECT_EQ(frame.logPaneShown, 1);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST(CompileRequest, UntitledDocumentIsSavedFirstAndACancelCompilesNothing) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    FrameStandIn frame(prompter);
    frame.text = kGood;
    frame.modified = true;
    CCompileLogLogic logic;

    EXPECT_EQ(RequestCompile(frame, prompter, logic, Makensis(), false), CompileRequestOutcome::NotAScript);
    EXPECT_EQ(frame.saves, 1);
    EXPECT_FALSE(logic.IsCompiling());
    EXPECT_TRUE(prompter.Messages().empty());

    prompter.QueueFiles({dir.filePath("new.nsi")});
    EXPECT_EQ(RequestCompile(frame, prompter, logic, Makensis(), false), CompileRequestOutcome::Started);
    EXPECT_EQ(WaitForFinish(logic).exitCode, 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("x.exe")));
}

TEST(CompileRequest, UnsavedChangesAreCompiledOnlyWithSaveCompile) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    FrameStandIn frame(prompter);
    frame.path = dir.filePath("edit.nsi");
    WriteFile(frame.path, kGood);
    frame.text = kBroken;
    frame.modified = true;
    CCompileLogLogic logic;

    ASSERT_EQ(RequestCompile(frame, prompter, logic, Makensis(), false), CompileRequestOutcome::Started);
    EXPECT_EQ(WaitForFinish(logic).exitCode, 0);
    EXPECT_EQ(frame.saves, 0);
    EXPECT_TRUE(frame.modified);

    ASSERT_EQ(RequestCompile(frame, prompter, logic, Makensis(), true), CompileRequestOutcome::Started);
    EXPECT_NE(WaitForFinish(logic).exitCode, 0);
    EXPECT_EQ(frame.saves, 1);
    EXPECT_FALSE(frame.modified);
}

TEST(CompileRequest, ARequestDuringACompileChangesNothing) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    FrameStandIn frame(prompter);
    frame.path = dir.filePath("slow.nsi");
    WriteFile(frame.path, "!system \"sleep 30\"\n" + kGood);
    CCompileLogLogic logic;
    ASSERT_EQ(RequestCompile(frame, prompter, logic, Makensis(), true), CompileRequestOutcome::Started);
    frame.modified = true;
    EXPECT_EQ(RequestCompile(frame, prompter, logic, Makensis(), true), CompileRequestOutcome::Busy);
    EXPECT_EQ(frame.logPaneShown, 1);
    EXPECT_EQ(frame.saves, 0);
    logic.Stop();
    EXPECT_TRUE(WaitForFinish(logic).stopped);
}
