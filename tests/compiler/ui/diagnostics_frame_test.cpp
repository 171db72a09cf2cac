// The problem list, the jumps to a problem's line and the editor marks, in the frame with the real makensis.
#include "compile_fixture.h"

#include "app/ui/frame_status_bar.h"
#include "editor/ui/diagnostic_marks.h"
#include "support/eventually.h"

#include <QDir>
#include <QTreeWidget>

namespace {
const QByteArray kBrokenInclude = "; helpers\n\nNotACommand here\n";
const QByteArray kFixedInclude = "; helpers\n\nDetailPrint \"fixed\"\n";

const QByteArray kMainScript =
    "Name \"Main\"\nOutFile \"main.exe\"\nRequestExecutionLevel user\nSection\n"
    "  !include \"lib/inc.nsh\"\nSectionEnd\n";
const QByteArray kWarningsScript =
    "Name \"W\"\nOutFile \"w.exe\"\nRequestExecutionLevel user\nVar Unused\nSection\n"
    "  first:\n  second:\nSectionEnd\n";
}  // namespace

class DiagnosticsFrameTest : public CompileFrameTest {
protected:
    QString StatusText() const { return FrameStatus(*m_frame)->PartText(0); }

    bool Compile(const QString& script) {
        return OpenAndCompile(script) != nullptr && QTest::qWaitFor([this] { return IsOutcomeShown(); }, 60000);
    }
    bool IsOutcomeShown() const { return !Logic().IsCompiling() && StatusText().startsWith(u"编译"); }

    void DoubleClickRow(int row) {
        QTreeWidget* tree = List().Tree();
        const QRect rect = tree->visualItemRect(tree->topLevelItem(row));
        // A user's double-click starts with a click.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    }

    bool DoubleClickLogLine(const QByteArray& prefix) {
        CCompileLogCtrl* log = Compiler().Log();
        const QList<QByteArray> lines = LogText().split('\n');
        for (int line = 0; line < lines.size(); ++line) {
            if (!lines[line].startsWith(prefix))
                continue;
            const long start = log->Call().PositionFromLine(line);
            log->Call().GotoLine(line);
            const QPoint at(log->Call().PointXFromPosition(start) + 4,
                            log->Call().PointYFromPosition(start) + 4);
            QTest::mouseClick(log->Call().Widget()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(log->Call().Widget()->viewport(), Qt::LeftButton, {}, at);
            return true;
        }
        return false;
    }
};

TEST_F(DiagnosticsFrameTest, AnErrorInAnIncludedFileIsListedOpenedMarkedAndClearedOnceFixed) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("lib")));
    const QString include = Script(QStringLiteral("lib/inc.nsh"), kBrokenInclude);
    const QString script = Script(QStringLiteral("main.nsi"), kMainScript);
    ASSERT_TRUE(Compile(script));

    ASSERT_EQ(List().Count(), 1);
    const Diagnostic& error = List().Diagnostics()[0];
    EXPECT_EQ(error.severity, DiagnosticSeverity::Error);
    EXPECT_EQ(error.file, include);
    EXPECT_EQ(error.line, 3);
    // The jump of the active document still goes to the line that included the file.
    EXPECT_EVENTUALLY(CaretLine(*Docs().ActiveView()) == 4);

    DoubleClickRow(0);
    CScrivoView* opened = Docs().ActiveView();
    ASSERT_EQ(opened->Path(), include);
    EXPECT_EVENTUALLY(CaretLine(*opened) == 2);
    CDiagnosticMarks& marks = CDiagnosticMarks::Of(*opened);
    EXPECT_EQ(marks.Lines(true), QList<int>{2});
    EXPECT_TRUE(marks.HasSquiggle(2));
    EXPECT_TRUE(marks.MessageAt(2).contains(u"NotACommand"));
    EXPECT_EQ(opened->Call().MarginWidthN(1), 16);

    // The mark moves with an edit above it.
    opened->Call().InsertText(0, "; new first line\n");
    EXPECT_EQ(marks.Lines(true), QList<int>{3});
    opened->Call().Undo();

    // The log line the error came from leads to the same place, from another tab.
    Docs().OpenDocument(script, false);
    ASSERT_NE(Docs().ActiveView(), opened);
    ASSERT_TRUE(DoubleClickLogLine("!include: error in script"));
    EXPECT_EQ(Docs().ActiveView(), opened);

    // Fixed and compiled again: no problem, no mark.
    opened->Call().SetText(kFixedInclude);
    ASSERT_TRUE(Docs().Save(Docs().ActiveDocument()));
    ASSERT_TRUE(Compile(script));
    EXPECT_EQ(List().Count(), 0);
    EXPECT_TRUE(marks.IsEmpty());
    EXPECT_EQ(marks.Lines(true), QList<int>{});
    EXPECT_FALSE(marks.HasSquiggle(2));
    EXPECT_EQ(opened->Call().MarginWidthN(1), 0);
    EXPECT_EQ(StatusText(), QStringLiteral("编译成功"));
}

TEST_F(DiagnosticsFrameTest, F4AndShiftF4WalkTheWarningsRoundTheEnd) {
    const QString script = Script(QStringLiteral("w.nsi"), kWarningsScript);
    EXPECT_FALSE(Enabled(Cmd::NextDiagnostic));
    ASSERT_TRUE(Compile(script));
    ASSERT_EQ(List().Count(), 3);
    m_frame->UpdateCommandStates();
    EXPECT_TRUE(Enabled(Cmd::NextDiagnostic));
    CScrivoView* view = Docs().ActiveView();
    EXPECT_EQ(CDiagnosticMarks::Of(*view).Lines(false).size(), 3);

    // Warnings in the order makensis gave them: the labels, then the variable.
    const struct {
        int command;
        int row;
        long caretLine;
    } steps[] = {
        {Cmd::NextDiagnostic, 0, 5}, {Cmd::NextDiagnostic, 1, 6},     {Cmd::NextDiagnostic, 2, 3},
        {Cmd::NextDiagnostic, 0, 5}, {Cmd::PreviousDiagnostic, 2, 3}, {Cmd::PreviousDiagnostic, 1, 6},
    };
    for (const auto& step : steps) {
        FrameActions(*m_frame).Action(step.command)->trigger();
        EXPECT_EQ(List().CurrentIndex(), step.row);
        EXPECT_EVENTUALLY(CaretLine(*view) == step.caretLine) << step.row;
    }
}
