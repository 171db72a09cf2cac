// NSIS colouring in a real editor view: restyling after typing what aborted the component's own lexer, and styling when idle.
#include "support/frame_fixture.h"
#include "support/eventually.h"

#include "editor/ui/scintilla_call.h"

#include <QTest>

namespace {

constexpr long kComment = 1;
constexpr long kCommand = 5;

class NsisColouringTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_frame->resize(900, 600);
        m_frame->show();
    }

    CScrivoView* Open(const QByteArray& text) {
        EXPECT_TRUE(Docs().OpenDocument(Script(QStringLiteral("colours.nsi"), text), false));
        CScrivoView* view = Docs().ActiveView();
        view->Call().Widget()->setFocus();
        return view;
    }

    static long StyleAtLine(CScrivoView* view, long line) {
        return view->Call().StyleAt(view->Call().PositionFromLine(line));
    }

    // Styles and fold levels of the whole text.
    static QByteArray Styles(CScrivoView* view) {
        QByteArray styles;
        const long length = view->Call().Length();
        for (long i = 0; i < length; ++i)
            styles += char(view->Call().StyleAt(i));
        for (long line = 0; line < view->Call().LineCount(); ++line)
            styles += QByteArray::number(view->Call().FoldLevel(line)) + ' ';
        return styles;
    }
};

}  // namespace

TEST_F(NsisColouringTest, TypingACommentEndingInABackslashColoursTheNextLineAsComment) {
    CScrivoView* view = Open("; Install into $PROGRAMFILES\\MyApp\\\nOutFile \"a.exe\"\n");
    ASSERT_EVENTUALLY(StyleAtLine(view, 1) == kComment);
    EXPECT_EQ(StyleAtLine(view, 0), kComment);

    QTest::keyClick(view->Call().Widget(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(view->Call().Widget(), QStringLiteral("; typed \\"));
    QTest::keyClick(view->Call().Widget(), Qt::Key_Return);
    QTest::keyClicks(view->Call().Widget(), QStringLiteral("Name x"));
    ASSERT_EQ(view->Text(), "; Install into $PROGRAMFILES\\MyApp\\\nOutFile \"a.exe\"\n; typed \\\nName x");
    ASSERT_EVENTUALLY(StyleAtLine(view, 3) == kComment);
    EXPECT_EQ(StyleAtLine(view, 2), kComment);

    // Finishing the first comment gives the command its own colour again.
    QTest::keyClick(view->Call().Widget(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(view->Call().Widget(), Qt::Key_End);
    QTest::keyClick(view->Call().Widget(), Qt::Key_Backspace);
    ASSERT_EVENTUALLY(StyleAtLine(view, 1) == kCommand);
    EXPECT_EQ(StyleAtLine(view, 0), kComment);
    EXPECT_EQ(StyleAtLine(view, 3), kComment);
}

TEST_F(NsisColouringTest, TextNeverShownIsStyledWhenIdleAsAFullPass) {
    // Long enough for several idle steps; a comment block and a continued
    // comment carry state across the steps' borders.
    QByteArray script;
    for (int i = 0; i < 9000; ++i) {
        script += "Section \"s" + QByteArray::number(i) + "\"\r\n  DetailPrint \"$INSTDIR\"\r\nSectionEnd\r\n";
        if (i % 2999 == 0)
            script += "/* a box\r\nover lines */\r\n; goes on \\\r\nName x\r\n";
    }
    CScrivoView* view = Open(script);
    ASSERT_EVENTUALLY(view->Call().EndStyled() == view->Call().Length());
    EXPECT_EQ(view->Call().FirstVisibleLine(), 0);

    CScrivoView fresh(*m_config, m_prompter, nullptr);
    fresh.AppendText(view->Text());
    fresh.Call().Colourise(0, -1);
    EXPECT_EQ(Styles(view), Styles(&fresh));
}
