// The installed NSIS manual in a real frame: hover tips, parameter help while typing and F1.
#include "support/frame_parts.h"
#include "editor/ui/command_tipper.h"
#include "support/eventually.h"
#include "support/shown_frame.h"
#include "support/url_recorder.h"

#include <QLabel>

using namespace Qt::StringLiterals;

class ManualHelpTest : public ShownFrameTest {
protected:
    void SetUp() override {
        ShownFrameTest::SetUp();
        ASSERT_EVENTUALLY(Tips().HasFinished() && Tips().ManualHasFinished());
        ASSERT_TRUE(Tips().Manual()->IsAvailable()) << "nsis-doc is not installed";
        Docs().NewBlank();
        m_view = Docs().ActiveView();
        Editor()->setFocus();
    }
    QAbstractScrollArea* Editor() const { return m_view->Call().Widget(); }
    CommandTipSource& Tips() { return FrameCompiler(*m_frame).Tips(); }
    bool TipShown() const { return m_view->Call().CallTipActive(); }
    // What the open tip says, as a screen reader gets it.
    QWidget* TipWindow() const {
        for (QWidget* w : Editor()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (qstrcmp(w->metaObject()->className(), "QsciSciCallTip") == 0)
                return w;
        }
        return nullptr;
    }

    CScrivoView* m_view = nullptr;
};

TEST_F(ManualHelpTest, HoverOverSetOutPathShowsItsUsageAndFirstParagraph) {
    m_view->AppendText("  SetOutPath $INSTDIR\n");
    Q_EMIT m_view->Call().DwellStarted(5);
    ASSERT_TRUE(TipShown());
    ASSERT_NE(TipWindow(), nullptr);
    const QString tip = TipWindow()->accessibleName();
    EXPECT_TRUE(tip.startsWith(u"Usage: SetOutPath outpath\nSets the output path ($OUTDIR)"_s)) << tip.toStdString();

    Q_EMIT m_view->Call().DwellStarted(14);  // $INSTDIR
    EXPECT_TRUE(TipWindow()->accessibleName().startsWith(u"Usage: $INSTDIR\nThe installation directory"_s));
}

TEST_F(ManualHelpTest, TypingMessageBoxParametersHighlightsTheCurrentOne) {
    QTest::keyClicks(Editor(), "MessageBox MB_OK ");
    ASSERT_TRUE(TipShown());
    EXPECT_TRUE(TipWindow()->accessibleName().startsWith(u"Usage: MessageBox mb_option_list messagebox_text"_s));
    EXPECT_EQ(TipWindow()->accessibleDescription(), u"当前参数: messagebox_text"_s);
}

TEST_F(ManualHelpTest, CompletionListShowsTheSelectedWordsDescriptionBesideIt) {
    QTest::keyClicks(Editor(), "SetOutP");
    ASSERT_TRUE(m_view->Call().AutoCActive());
    auto* note = m_view->findChild<QLabel*>(u"completionNote"_s);
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), u"Sets the output path ($OUTDIR) and creates it (recursively if necessary), if it does not exist."_s);
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_FALSE(note->isVisible());
}

TEST_F(ManualHelpTest, F1OpensTheSectionOfTheKeywordAtTheCaretElseTheManual) {
    UrlRecorder recorder({u"file"_s, u"http"_s, u"https"_s});
    m_view->AppendText("nsDialogs::Create 1018\nfrobnicate\n");
    m_view->Call().GotoPos(3);
    m_frame->OnCommand(Cmd::ContextHelp);
    m_view->Call().GotoLine(1);
    m_frame->OnCommand(Cmd::ContextHelp);
    ASSERT_EQ(recorder.urls.size(), 2);
    EXPECT_EQ(recorder.urls[0].fileName(), u"Readme.html"_s);
    EXPECT_EQ(recorder.urls[0].fragment(), u"ref-create"_s);
    EXPECT_TRUE(QFileInfo::exists(recorder.urls[0].toLocalFile()));
    EXPECT_EQ(recorder.urls[1], QUrl::fromLocalFile(m_config->GetHelpPath()));

    // While a hover tip is open, F1 opens the hovered keyword's section.
    Q_EMIT m_view->Call().DwellStarted(m_view->Call().PositionFromLine(0) + 1);
    ASSERT_TRUE(TipShown());
    m_frame->OnCommand(Cmd::ContextHelp);
    ASSERT_EQ(recorder.urls.size(), 3);
    EXPECT_EQ(recorder.urls[2].fragment(), u"ref-create"_s);
}
