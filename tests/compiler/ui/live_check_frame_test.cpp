// The live check in the frame: typing marks the unsaved text's errors without a save, and a keystroke cancels a check.
#include "compile_fixture.h"

#include "compiler/core/live_check.h"
#include "compiler/ui/live_check_controller.h"
#include "editor/ui/diagnostic_marks.h"
#include "support/eventually.h"
#include "support/test_files.h"

#include <QApplication>
#include <QClipboard>

class LiveCheckFrameTest : public CompileFrameTest {
protected:
    const CLiveCheck& Check() const { return m_frame->findChild<LiveCheckController*>()->Check(); }

    CScrivoView* OpenAtEnd(const QByteArray& text) {
        if (!Docs().OpenDocument(Script(QStringLiteral("live.nsi"), text), false))
            return nullptr;
        CScrivoView* view = Docs().ActiveView();
        view->Call().DocumentEnd();
        return view;
    }
};

TEST_F(LiveCheckFrameTest, AWrongLineIsMarkedWithoutASaveAndTheMarkGoesOnceFixed) {
    CScrivoView* view = OpenAtEnd(HelloScript());
    ASSERT_NE(view, nullptr);
    CDiagnosticMarks& marks = CDiagnosticMarks::Of(*view);

    QTest::keyClicks(view->Call().Widget(), "Wrongcommand here");
    ASSERT_EVENTUALLY(marks.Lines(true) == QList<int>{6});
    EXPECT_TRUE(marks.HasSquiggle(6));
    EXPECT_TRUE(marks.MessageAt(6).startsWith(u"[实时检查] "));
    EXPECT_TRUE(view->IsModified());
    EXPECT_EQ(ReadBytes(view->Path()), HelloScript());
    ASSERT_EQ(List().Count(), 1);

    view->Call().GotoPos(view->Call().PositionFromLine(view->Call().LineFromPosition(view->Call().CurrentPos())));
    QTest::keyClicks(view->Call().Widget(), "; ");
    EXPECT_EVENTUALLY(marks.IsEmpty() && List().Count() == 0);
}

TEST_F(LiveCheckFrameTest, AKeystrokeKillsTheRunningCheck) {
    CScrivoView* view = OpenAtEnd(HelloScript());
    ASSERT_NE(view, nullptr);
    QApplication::clipboard()->setText(QString::fromUtf8(HeavyPreprocessorScript()));
    // A paste is checked at once.
    QTest::keyClick(view->Call().Widget(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EVENTUALLY(Check().ProcessId() > 0);
    const pid_t pid = pid_t(Check().ProcessId());
    ASSERT_TRUE(IsAlive(pid));

    QTest::keyClick(view->Call().Widget(), Qt::Key_Space);
    EXPECT_FALSE(IsAlive(pid));
    EXPECT_FALSE(Check().IsRunning());
}
