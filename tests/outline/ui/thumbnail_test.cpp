// The thumbnail in the frame: it shows the active document, and its band follows and steers the editor.
#include "side_pane_fixture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

class ThumbnailTest : public SidePaneTest {
protected:
    void SetUp() override {
        SidePaneTest::SetUp();
        ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("long.nsi"), NumberedScript(3000)), false));
        m_frame->OnCommand(Cmd::ToggleThumbnail);
        ASSERT_TRUE(Thumb().isVisible());
        ScrollEditor(1000);
        ASSERT_EQ(First(Editor()), 1000);
    }

    CViewZoneDlg& Zone() { return *Thumb().Zone(); }
    int LineHeight() { return Thumb().Call().TextHeight(0); }
    int Middle() { return (Zone().Band().top + Zone().Band().bottom) / 2; }
    long EditorLines() { return Editor().Call().LinesOnScreen(); }

    // Scrolls the editor as the user would and waits for its repaint, which moves the thumbnail and its band.
    void ScrollEditor(long lines) {
        QSignalSpy painted(&Editor().Call(), &Sc::Painted);
        Editor().Call().LineScroll(0, lines);
        ASSERT_TRUE(painted.wait(5000));
    }

    void Press(int y, Qt::MouseButtons held = Qt::LeftButton) { Mouse(QEvent::MouseButtonPress, y, held); }
    void Move(int y) { Mouse(QEvent::MouseMove, y, Qt::LeftButton); }
    void Mouse(QEvent::Type type, int y, Qt::MouseButtons held) {
        const QPointF at(10, y);
        QMouseEvent event(type, at, Zone().mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          held, Qt::NoModifier);
        QCoreApplication::sendEvent(&Zone(), &event);
    }

    static void Wheel(QWidget* target, int delta) {
        const QPointF at(10, 10);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &event);
    }
};

}  // namespace

TEST_F(ThumbnailTest, ColoursTheSharedTextWithOurLexer) {
    EXPECT_EQ(Thumb().Call().Lexer(), Sc::kLexerContainer);
    Editor().Call().InsertText(0, "; note \\\r\n");
    Editor().Call().GotoLine(0);
    Thumb().Call().GotoLine(0);
    Thumb().Call().Widget()->viewport()->repaint();
    // The line after the comment ending in '\' is comment too (style 1).
    EXPECT_EQ(Thumb().Call().StyleAt(Thumb().Call().PositionFromLine(1)), 1);
}

TEST_F(ThumbnailTest, SharesTheEditorsDocumentAndNeverTakesTyping) {
    CCodePaneView& thumb = Thumb();
    EXPECT_EQ(thumb.Call().DocPointer(), Editor().Call().DocPointer());
    // Zoomed out: more of the script than the editor shows, the veil exactly over it.
    EXPECT_GT(thumb.Call().LinesOnScreen(), EditorLines());
    EXPECT_EQ(Zone().geometry(), thumb.Call().Widget()->geometry());

    // A click gives the focus to the veil, where typing changes nothing.
    const long length = Editor().Call().Length();
    QTest::mouseClick(&Zone(), Qt::LeftButton, {}, QPoint(10, Middle()));
    ASSERT_EQ(QApplication::focusWidget(), &Zone());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(Editor().Call().Length(), length);
    thumb.setFocus();
    EXPECT_EQ(QApplication::focusWidget(), &Zone());
}

TEST_F(ThumbnailTest, TheBandCoversTheEditorsLinesAndItsMiddleFollowsTheMouse) {
    const ViewZoneBand band = Zone().Band();
    EXPECT_EQ(band.bottom - band.top, LineHeight() * EditorLines());
    EXPECT_GE(band.top, 0);
    EXPECT_LE(band.bottom, Zone().height());
    // The band's top is the thumbnail's row of the editor's first line.
    EXPECT_EQ(band.top, Thumb().Call().PointYFromPosition(Editor().Call().PositionFromLine(1000)));

    // A click moves the band's middle there.
    Press(Middle() - LineHeight());
    EXPECT_EQ(First(Editor()), 999);

    // Dragging carries the band along; moving without the button does nothing.
    const int start = Middle();
    Press(start);
    Move(start + 3 * LineHeight());
    EXPECT_EQ(First(Editor()), 1002);
    Move(Middle() + 2 * LineHeight());
    EXPECT_EQ(First(Editor()), 1004);
    Mouse(QEvent::MouseMove, Middle() + 5 * LineHeight(), Qt::NoButton);
    EXPECT_EQ(First(Editor()), 1004);
}

TEST_F(ThumbnailTest, KeysScrollByTheEditorsScreen) {
    QTest::keyClick(&Zone(), Qt::Key_PageDown);
    EXPECT_EQ(First(Editor()), 1000 + EditorLines());
}

TEST_F(ThumbnailTest, TheWheelScrollsTheEditorAsOverTheEditor) {
    Wheel(&Zone(), -120);
    const long overThumbnail = First(Editor()) - 1000;
    EXPECT_GT(overThumbnail, 0);
    Editor().Call().SetFirstVisibleLine(1000);
    Wheel(Editor().Call().Widget()->viewport(), -120);
    EXPECT_EQ(First(Editor()) - 1000, overThumbnail);
}

TEST_F(ThumbnailTest, ScrollingTheEditorPastTheThumbnailMovesTheThumbnail) {
    // Below: the editor's last line becomes the thumbnail's last. Which end it follows is a ViewZone rule.
    const long thumbLines = Thumb().Call().LinesOnScreen();
    ScrollEditor(thumbLines + 100);
    const long lastDoc = First(Editor()) + EditorLines();
    EXPECT_EQ(CaretLine(Thumb()), lastDoc);
    EXPECT_EQ(First(Thumb()) + thumbLines - 1, lastDoc);
    EXPECT_GE(Zone().Band().top, 0);
    EXPECT_LE(Zone().Band().bottom, Zone().height());
}

TEST_F(ThumbnailTest, WithTheStartPageTheThumbnailIsEmptyAndTheBandStays) {
    Docs().ShowStartPage();
    EXPECT_EQ(Thumb().Call().Length(), 0);
    const ViewZoneBand band = Zone().Band();
    Press(band.bottom + 10 * LineHeight());
    QTest::keyClick(&Zone(), Qt::Key_PageDown);
    Wheel(&Zone(), -120);
    EXPECT_EQ(Zone().Band(), band);

    // Back on the script, the thumbnail shows it again.
    Docs().Activate(0);
    EXPECT_EQ(Thumb().Call().Length(), Editor().Call().Length());
}

TEST_F(FrameTest, ThumbnailKeepsItsDocumentAliveAfterTheEditorIsGone) {
    QWidget host;
    auto editor = std::make_unique<CScrivoView>(*m_config, m_prompter, &host);
    editor->AppendText("Function F\r\n");
    CScrivoView* active = editor.get();
    CCodePaneView thumb(
        *m_config, [&active] { return active; }, &host);
    thumb.Attach();
    thumb.Attach();  // the document already shown
    active = nullptr;
    editor.reset();
    EXPECT_EQ(thumb.TextView()->Text(), QByteArray("Function F\r\n"));

    thumb.Attach();  // no script: a fresh empty document
    EXPECT_EQ(thumb.Call().Length(), 0);
}
