// The encoding menu's code pages: reopening a script in another one, converting to one, and the status bar.
#include "support/frame_fixture.h"

#include "app/ui/frame_status_bar.h"
#include "editor/ui/scrivo_view.h"
#include "text/core/code_page_conversion.h"

#include <QMenu>
#include <QMenuBar>

namespace {

int Index(CodePage page) {
    const auto pages = AllCodePages();
    return int(std::find(pages.begin(), pages.end(), page) - pages.begin());
}

const QByteArray kRussianText = QStringLiteral(
                                    "; Привет, мир\r\n; Этот сценарий создаёт установщик и ярлык на "
                                    "рабочем столе.\r\nName \"x\"\r\n")
                                    .toUtf8();

QByteArray InCodePage(const QByteArray& utf8, CodePage page) {
    QByteArray bytes;
    bool lossy = false;
    Utf8ToCodePage(utf8, page, bytes, lossy);
    return bytes;
}

// Read as KOI8-R, Windows-1251 text is other Cyrillic letters.
const QByteArray kRussian = InCodePage(kRussianText, CodePage::Windows1251);

class CodePageMenu : public FrameTest {
protected:
    QString EncodingShown() const { return FrameStatus(*m_frame)->PartText(4); }

    QMenu* FindMenu(const QString& title) const {
        for (QMenu* menu : m_frame->menuBar()->findChildren<QMenu*>()) {
            if (menu->title() == title)
                return menu;
        }
        return nullptr;
    }
};

}  // namespace

TEST_F(CodePageMenu, ReopeningAsksFirstAboutEditsThenReadsTheFileInTheChosenCodePage) {
    const QString path = Script(QStringLiteral("russian.nsi"), kRussian);
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    CScrivoView* view = Docs().ActiveView();
    EXPECT_EQ(EncodingShown(), QStringLiteral("ANSI (Windows-1251)"));
    EXPECT_TRUE(view->Text().startsWith(QStringLiteral("; Привет, мир").toUtf8()));

    view->AppendText("; edited\r\n");
    m_prompter.QueueAnswer(PromptAnswer::No);
    m_frame->OnCommand(Cmd::ReopenCodePageFirst + Index(CodePage::Koi8R));
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].caption, QStringLiteral("编码格式"));
    EXPECT_TRUE(view->Text().endsWith("; edited\r\n"));
    EXPECT_EQ(EncodingShown(), QStringLiteral("ANSI (Windows-1251)"));

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    m_frame->OnCommand(Cmd::ReopenCodePageFirst + Index(CodePage::Koi8R));
    EXPECT_EQ(EncodingShown(), QStringLiteral("ANSI (KOI8-R)"));
    EXPECT_FALSE(view->IsModified());
    EXPECT_TRUE(view->Text().startsWith(QStringLiteral("; оПХБЕР, ЛХП").toUtf8()));
    // Saved unchanged, the file keeps its bytes whatever it was read as.
    ASSERT_TRUE(view->SaveFile());
    EXPECT_EQ(ReadBytes(path), kRussian);
}

TEST_F(CodePageMenu, ConvertingSavesTheTextInTheChosenCodePage) {
    const QString path = Script(QStringLiteral("russian.nsi"), kRussian);
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    ASSERT_NE(FindMenu(QStringLiteral("以其他编码重新打开")), nullptr);
    QMenu* convert = FindMenu(QStringLiteral("转换为"));
    ASSERT_NE(convert, nullptr);
    EXPECT_EQ(convert->actions().size(), kCodePageCount);

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    FrameActions(*m_frame).Action(Cmd::ConvertCodePageFirst + Index(CodePage::Koi8R))->trigger();
    EXPECT_EQ(
        m_prompter.MessageTexts(),
        QStringList{QStringLiteral("当前脚本编码格式为 ANSI (Windows-1251)，确认要转化为 ANSI (KOI8-R) 编码格式吗？")});
    EXPECT_EQ(ReadBytes(path), InCodePage(kRussianText, CodePage::Koi8R));
    EXPECT_EQ(EncodingShown(), QStringLiteral("ANSI (KOI8-R)"));
}

TEST_F(CodePageMenu, TheCodePageComesBackWithTheOpenFiles) {
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("russian.nsi"), kRussian), false));
    m_frame->OnCommand(Cmd::ReopenCodePageFirst + Index(CodePage::Koi8R));
    ASSERT_EQ(EncodingShown(), QStringLiteral("ANSI (KOI8-R)"));
    ASSERT_TRUE(m_frame->close());

    CreateFrame();
    m_frame->OpenInitialDocuments({});
    EXPECT_EQ(EncodingShown(), QStringLiteral("ANSI (KOI8-R)"));
    EXPECT_FALSE(Docs().ActiveView()->IsModified());
    EXPECT_TRUE(m_prompter.Messages().empty());
}
