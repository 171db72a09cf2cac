// Typing in a real view: Enter with a completion list open, where lists open, and line ends through Enter, paste and conversion.
#include "view_fixture.h"

#include "support/frame_parts.h"
#include "editor/ui/scintilla_call.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QTest>

#include <vector>

class TypingTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        UseActiveView();
    }
    void UseActiveView() {
        m_view = Docs().ActiveView();
        ASSERT_NE(m_view, nullptr);
        m_view->Call().Widget()->setFocus();
    }
    bool ListOpen() const { return m_view->Call().AutoCActive(); }
    // The component makes a list widget for each list; the one shown is the newest.
    QListWidget* List() const {
        const auto lists = m_view->Call().Widget()->findChildren<QListWidget*>(Qt::FindDirectChildrenOnly);
        return lists.isEmpty() ? nullptr : lists.last();
    }
    void ClickListRow(int row, bool twice) {
        QListWidget* list = List();
        ASSERT_NE(list, nullptr);
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // A double click is a click and then the double-click event.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(TypingTest, EnterBreaksTheLineUnlessTheUserChoseFromTheList) {
    const struct {
        const char* typed;
        bool listShown;
        std::vector<Qt::Key> keys;
        QByteArray text;
    } cases[] = {
        {"Section", true, {Qt::Key_Return}, "Section\r\n"},
        {"Secti", true, {Qt::Key_Return}, "Secti\r\n"},
        {"Secti", true, {Qt::Key_Down, Qt::Key_Return}, "SectionEnd"},
        {"Secti", true, {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}, "Section"},
        {"Secti", true, {Qt::Key_PageDown, Qt::Key_Return}, "SectionSetText"},
        {"Secti", true, {Qt::Key_Tab}, "Section"},
        {"DetailPrint \"$INS", true, {Qt::Key_Tab}, "DetailPrint \"$INSTDIR"},
        {"DetailPrint \"Sec", false, {}, "DetailPrint \"Sec"},
    };
    for (const auto& c : cases) {
        m_view->Call().ClearAll();
        QTest::keyClicks(m_view->Call().Widget(), QString::fromUtf8(c.typed));
        EXPECT_EQ(ListOpen(), c.listShown) << c.typed;
        for (Qt::Key key : c.keys)
            QTest::keyClick(m_view->Call().Widget(), key);
        EXPECT_EQ(m_view->Text(), c.text) << c.typed;
        m_view->Call().AutoCCancel();
    }
}

TEST_F(TypingTest, AClickInTheListLetsEnterTakeTheEntryAndADoubleClickTakesIt) {
    for (bool twice : {false, true}) {
        m_view->Call().ClearAll();
        QTest::keyClicks(m_view->Call().Widget(), QStringLiteral("Secti"));
        ASSERT_TRUE(ListOpen());
        ClickListRow(1, twice);
        if (!twice)
            QTest::keyClick(m_view->Call().Widget(), Qt::Key_Return);
        EXPECT_EQ(m_view->Text(), "SectionEnd") << twice;
    }
}

TEST_F(TypingTest, EnterAndPasteKeepTheDocumentsLineEnd) {
    QGuiApplication::clipboard()->setText(QStringLiteral("P\nQ\r\nR"));
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    const struct {
        const char* name;
        QByteArray file;
        QByteArray saved;
    } cases[] = {
        {"crlf.nsi", "Name a\r\nOutFile b\r\n", "Name a\r\n1P\r\nQ\r\nR\r\nOutFile b\r\n"},
        {"lf.nsi", "Name a\nOutFile b\n", "Name a\n1P\nQ\nR\nOutFile b\n"},
        // Most lines end in CR LF; the one LF stays where it was.
        {"mixed.nsi", "Name a\nOutFile b\r\nSection x\r\n", "Name a\r\n1P\r\nQ\r\nR\nOutFile b\r\nSection x\r\n"},
    };
    for (const auto& c : cases) {
        const QString path = Script(QString::fromLatin1(c.name), c.file);
        ASSERT_TRUE(Docs().OpenDocument(path, false));
        UseActiveView();
        m_view->Call().GotoPos(m_view->Call().LineEndPosition(0));
        QTest::keyClick(m_view->Call().Widget(), Qt::Key_Return);
        QTest::keyClicks(m_view->Call().Widget(), QStringLiteral("1"));
        QTest::keyClick(m_view->Call().Widget(), Qt::Key_V, Qt::ControlModifier);  // the frame's paste key
        ASSERT_TRUE(m_view->SaveFile());
        EXPECT_EQ(ReadBytes(path), c.saved) << c.name;
    }
}

TEST_F(TypingTest, ConvertingLineEndsIsOneUndoStepAndShowsInTheStatusBar) {
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("convert.nsi"), "Name a\r\nOutFile b\nSection\r\n"), false));
    UseActiveView();
    EXPECT_EQ(FrameStatus(*m_frame)->PartText(5), QStringLiteral("CR LF"));

    m_frame->OnCommand(Cmd::ConvertToLf);
    EXPECT_EQ(m_view->Text(), "Name a\nOutFile b\nSection\n");
    EXPECT_TRUE(m_view->IsModified());
    EXPECT_EQ(FrameStatus(*m_frame)->PartText(5), QStringLiteral("LF"));
    QTest::keyClick(m_view->Call().Widget(), Qt::Key_Return);
    EXPECT_EQ(m_view->Text(), "\nName a\nOutFile b\nSection\n");

    m_view->Call().Undo();
    m_view->Call().Undo();
    EXPECT_EQ(m_view->Text(), "Name a\r\nOutFile b\nSection\r\n");
    EXPECT_FALSE(m_view->IsModified());

    m_frame->OnCommand(Cmd::ConvertToCrLf);
    EXPECT_EQ(m_view->Text(), "Name a\r\nOutFile b\r\nSection\r\n");
    EXPECT_EQ(FrameStatus(*m_frame)->PartText(5), QStringLiteral("CR LF"));
}
