// Large files open, reload and reopen in the background: read-only until shown, the same text and bytes as a load in one go, cancels and failures.
#include "support/eventually.h"
#include "support/frame_fixture.h"

#include "editor/core/text_document.h"
#include "editor/ui/scintilla_call.h"

#include <QStringEncoder>
#include <QTest>

namespace {

// Over the size from which files load in the background.
constexpr qsizetype kLargeBytes = qsizetype(6) << 20;

QByteArray Repeated(const QByteArray& line, qsizetype bytes) {
    QByteArray text;
    text.reserve(bytes + line.size());
    for (int n = 0; text.size() < bytes; ++n)
        text += line + QByteArray::number(n) + '\n';
    return text;
}

QByteArray LargeScript() { return Repeated("Section \"主程序\" ; 第", kLargeBytes); }

}  // namespace

TEST_F(FrameTest, LargeFileShowsItsTabAtOnceIsReadOnlyThenScrollsWhereAsked) {
    const QByteArray text = LargeScript();
    const QString path = Script(QStringLiteral("large.nsi"), text);
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    ASSERT_EQ(Docs().Count(), 1);
    CScrivoView* view = Docs().ActiveView();
    ASSERT_TRUE(view->IsLoading());
    QTest::keyClicks(view->Call().Widget(), "abc");
    EXPECT_EQ(view->Call().Length(), 0);
    EXPECT_FALSE(view->SaveFile());
    view->ScrollToLine(5000);

    ASSERT_EVENTUALLY(!view->IsLoading());
    EXPECT_EQ(view->Text(), text);
    EXPECT_EQ(view->Document().LineEnding(), LineEnd::Lf);
    EXPECT_FALSE(view->IsModified());
    EXPECT_FALSE(view->Call().CanUndo());
    EXPECT_TRUE(m_config->RecentFiles().contains(path));
    EXPECT_TRUE(m_prompter.Messages().empty());
    ASSERT_EVENTUALLY(view->State().line == 5000);
    // Editable now; the status bar's character count follows edits and undo.
    const long characters = long(QString::fromUtf8(text).toUcs4().size());
    EXPECT_EQ(view->State().characters, characters);
    view->Call().AppendText("; 结束\n");
    EXPECT_TRUE(view->IsModified());
    EXPECT_EQ(view->State().characters, characters + 5);
    view->Call().SetSel(0, 12);  // Section "主
    view->Call().ReplaceSel("x");
    EXPECT_EQ(view->State().characters, characters + 5 - 10 + 1);
    view->Call().Undo();
    view->Call().Undo();
    EXPECT_EQ(view->State().characters, characters);
    EXPECT_EQ(view->Text(), text);
}

TEST_F(FrameTest, LargeFilesInOtherEncodingsReadAsInOneGoAndSaveByteForByte) {
    const QByteArray script = LargeScript();
    const QString text = QString::fromUtf8(script).replace(u'\n', QStringLiteral("\r\n"));
    QStringEncoder gbk("GBK");
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"gbk.nsi", gbk.encode(text)},
        {"utf16.nsi", utf16.encode(text)},
        {"bom.nsi", "\xEF\xBB\xBF" + text.toUtf8()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Script(QString::fromLatin1(c.name), c.bytes);
        TextDocument inOneGo(m_prompter);
        QByteArray expected;
        ASSERT_TRUE(inOneGo.LoadFile(path, false, expected));
        ASSERT_TRUE(Docs().OpenDocument(path, false));
        CScrivoView* view = Docs().ActiveView();
        ASSERT_TRUE(view->IsLoading());
        ASSERT_EVENTUALLY(!view->IsLoading());
        EXPECT_EQ(view->Text(), expected);
        EXPECT_EQ(view->Encoding(), inOneGo.Encoding());
        EXPECT_EQ(view->Document().Page(), inOneGo.Page());
        EXPECT_EQ(view->Document().LineEnding(), LineEnd::CrLf);
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_TRUE(view->SaveFile());
        EXPECT_TRUE(ReadBytes(path) == c.bytes);
    }
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(FrameTest, ClosingTheTabOrTheFrameWhileLoadingCancelsTheLoad) {
    const QString path = Script(QStringLiteral("large.nsi"), LargeScript());
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    ASSERT_TRUE(Docs().ActiveView()->IsLoading());
    ASSERT_TRUE(Docs().CloseTab(0));
    EXPECT_EQ(Docs().ActiveView(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(Docs().ActiveView(), nullptr);

    ASSERT_TRUE(Docs().OpenDocument(path, false));
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("other.nsi"), LargeScript()), false));
    m_frame.reset();
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_prompter.Messages().empty());
}

// A pipe is no file to stream: TextDocumentTest.UnreadableFilesAreReportedAndChangeNothing.
TEST_F(FrameTest, AFileCutShortWhileReadIsReportedAndLeavesNoTab) {
    // Cut once its load has begun (the tab is added just after): before or
    // while the worker reads it, it reads less than the file had. Sparse, the
    // file is quick to make and long enough to read that the cut comes first.
    const QString path = Script(QStringLiteral("cut.nsi"), LargeScript());
    ASSERT_TRUE(QFile::resize(path, qint64(128) << 20));
    QObject::connect(&Docs(), &DocumentSet::TabAdded, &Docs(), [&path] { QFile::resize(path, 1000); });
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    ASSERT_EVENTUALLY(m_prompter.Messages().size() == 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, QStringLiteral("打开文件[%1]失败！\n文件在读取时被截短").arg(path));
    EXPECT_EQ(Docs().ActiveView(), nullptr);
    EXPECT_EQ(Docs().ActiveItem()->GetKind(), CTabViewItem::Kind::StartPage);
    EXPECT_FALSE(m_config->RecentFiles().contains(path));
}

// A change on disk, reloaded at the user's word: the old text stays shown and
// read-only until the new one is attached; a reload that fails keeps it.
TEST_F(FrameTest, ALargeFileChangedOnDiskReloadsInTheBackgroundOrKeepsItsTextWhenCutShort) {
    const QString path = Script(QStringLiteral("large.nsi"), LargeScript());
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    CScrivoView* view = Docs().ActiveView();
    ASSERT_EVENTUALLY(!view->IsLoading());
    view->Call().GotoLine(3000);
    const QString changedQuestion = QStringLiteral("%1\n\n该文件已被其他程序修改，您是否要重新加载文件？").arg(path);

    const QByteArray changed = Repeated("Section \"新程序\" ; 第", kLargeBytes + 4096);
    ASSERT_TRUE(WriteBytes(path, changed));
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    view->CheckExternalChange();
    ASSERT_TRUE(view->IsLoading());
    const QByteArray old = view->Text();
    EXPECT_EQ(old, LargeScript());
    QTest::keyClicks(view->Call().Widget(), "abc");
    EXPECT_EQ(view->Text(), old);
    EXPECT_FALSE(view->SaveFile());
    ASSERT_EVENTUALLY(!view->IsLoading());
    EXPECT_EQ(view->Text(), changed);
    EXPECT_FALSE(view->IsModified());
    EXPECT_EQ(view->State().line, 3000);
    EXPECT_EQ(view->Document().LineEnding(), LineEnd::Lf);
    EXPECT_EQ(m_prompter.MessageTexts(), QStringList{changedQuestion});

    // Sparse, so that the cut comes before the worker has read it all.
    ASSERT_TRUE(QFile::resize(path, qint64(128) << 20));
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    view->CheckExternalChange();
    ASSERT_TRUE(view->IsLoading());
    ASSERT_TRUE(QFile::resize(path, 1000));
    ASSERT_EVENTUALLY(!view->IsLoading());
    // The tab's own check may ask again about the cut, which came after the question.
    ASSERT_GE(m_prompter.Messages().size(), 3u);
    EXPECT_EQ(m_prompter.Messages()[1].text, changedQuestion);
    EXPECT_EQ(m_prompter.Messages()[2].text, QStringLiteral("打开文件[%1]失败！\n文件在读取时被截短").arg(path));
    EXPECT_EQ(Docs().ActiveView(), view);
    EXPECT_EQ(view->Text(), changed);
    EXPECT_TRUE(view->IsModified());
    view->Call().AppendText("; 结束\n");
    EXPECT_EQ(view->Text(), changed + "; 结束\n");
}

TEST_F(FrameTest, ALargeFileReopenedInAnotherCodePageReadsAsInOneGo) {
    QStringEncoder gbk("GBK");
    const QString path = Script(QStringLiteral("gbk.nsi"), gbk.encode(QString::fromUtf8(LargeScript())));
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    CScrivoView* view = Docs().ActiveView();
    ASSERT_EVENTUALLY(!view->IsLoading());
    view->Call().GotoLine(200);
    view->Call().AddText("; 未保存\n");
    ASSERT_TRUE(view->IsModified());
    const long caret = view->Call().CurrentPos();

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    view->ReopenWithCodePage(CodePage::Koi8R);
    ASSERT_TRUE(view->IsLoading());
    ASSERT_EVENTUALLY(!view->IsLoading());
    TextDocument inOneGo(m_prompter);
    QByteArray expected;
    ASSERT_TRUE(inOneGo.LoadFile(path, false, expected, CodePage::Koi8R));
    EXPECT_EQ(view->Text(), expected);
    EXPECT_EQ(view->Encoding(), TextEncoding::Ansi);
    EXPECT_EQ(view->Document().Page(), CodePage::Koi8R);
    EXPECT_EQ(view->Document().LineEnding(), inOneGo.LineEnding());
    EXPECT_FALSE(view->IsModified());
    EXPECT_EQ(view->Call().CurrentPos(), caret);
    EXPECT_EQ(m_prompter.MessageTexts(),
              QStringList{QStringLiteral("当前脚本尚未保存，以 KOI8-R 编码重新打开将丢失所做的修改。是否继续？")});
}
