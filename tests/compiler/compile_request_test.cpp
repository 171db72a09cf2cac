// The compile command's steps before the worker starts, with the real makensis.
#include "compiler/core/compile_request.h"

#include "compile_helpers.h"

#include "compiler/core/compile_log_logic.h"
#include "support/scripted_prompter.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
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

class CompileRequest : public ::testing::Test {
protected:
    CompileRequestOutcome Request(bool saveCompile, const CompileSettings& settings = Settings()) {
        return RequestCompile(m_frame, m_prompter, m_logic, settings, saveCompile);
    }

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    FrameStandIn m_frame{m_prompter};
    CCompileLogLogic m_logic;
};
}  // namespace

TEST_F(CompileRequest, MissingCompilerAsksAndOpensTheSettingsOnlyOnYes) {
    m_frame.path = m_dir.filePath("a.nsi");
    CompileSettings settings;
    settings.compilerPath = m_dir.filePath("makensis");

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(Request(true, settings), CompileRequestOutcome::NoCompiler);
    EXPECT_EQ(m_prompter.Messages(),
              (std::vector<PromptMessage>{{"无法找到NSIS编译器的位置，请在设置(编译器)中进行设置。\n是否现在进入设置？",
                                           "提示", PromptIcon::Question, PromptButtons::YesNo}}));
    EXPECT_EQ(m_frame.settingsOpened, 1);

    m_prompter.QueueAnswer(PromptAnswer::No);
    settings.compilerPath.clear();
    EXPECT_EQ(Request(true, settings), CompileRequestOutcome::NoCompiler);
    EXPECT_EQ(m_frame.settingsOpened, 1);
    EXPECT_EQ(m_frame.logPaneShown, 0);
    EXPECT_FALSE(m_logic.IsCompiling());
}

TEST_F(CompileRequest, NothingHappensWithoutADocumentOrForAHeader) {
    m_frame.hasDocument = false;
    EXPECT_EQ(Request(true), CompileRequestOutcome::NoDocument);
    EXPECT_EQ(m_frame.logPaneShown, 0);

    m_frame.hasDocument = true;
    m_frame.path = m_dir.filePath("lib.NSH");
    WriteBytes(m_frame.path, kGood);
    EXPECT_EQ(Request(true), CompileRequestOutcome::NotAScript);
    EXPECT_EQ(m_frame.logPaneShown, 1);
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(CompileRequest, UntitledDocumentIsSavedFirstAndACancelCompilesNothing) {
    m_frame.text = kGood;
    m_frame.modified = true;

    EXPECT_EQ(Request(false), CompileRequestOutcome::NotAScript);
    EXPECT_EQ(m_frame.saves, 1);
    EXPECT_FALSE(m_logic.IsCompiling());
    EXPECT_TRUE(m_prompter.Messages().empty());

    m_prompter.QueueFiles({m_dir.filePath("new.nsi")});
    EXPECT_EQ(Request(false), CompileRequestOutcome::Started);
    EXPECT_EQ(WaitForFinish(m_logic).exitCode, 0);
    EXPECT_TRUE(QFile::exists(m_dir.filePath("x.exe")));
}

TEST_F(CompileRequest, UnsavedChangesAreCompiledOnlyWithSaveCompile) {
    m_frame.path = m_dir.filePath("edit.nsi");
    WriteBytes(m_frame.path, kGood);
    m_frame.text = kBroken;
    m_frame.modified = true;

    ASSERT_EQ(Request(false), CompileRequestOutcome::Started);
    EXPECT_EQ(WaitForFinish(m_logic).exitCode, 0);
    EXPECT_EQ(m_frame.saves, 0);
    EXPECT_TRUE(m_frame.modified);

    ASSERT_EQ(Request(true), CompileRequestOutcome::Started);
    EXPECT_NE(WaitForFinish(m_logic).exitCode, 0);
    EXPECT_EQ(m_frame.saves, 1);
    EXPECT_FALSE(m_frame.modified);
}

TEST_F(CompileRequest, ARequestDuringACompileChangesNothing) {
    m_frame.path = m_dir.filePath("slow.nsi");
    WriteBytes(m_frame.path, "!system \"sleep 30\"\n" + kGood);
    ASSERT_EQ(Request(true), CompileRequestOutcome::Started);
    m_frame.modified = true;
    EXPECT_EQ(Request(true), CompileRequestOutcome::Busy);
    EXPECT_EQ(m_frame.logPaneShown, 1);
    EXPECT_EQ(m_frame.saves, 0);
    m_logic.Stop();
    EXPECT_TRUE(WaitForFinish(m_logic).stopped);
}
