// The find and replace dialog and the go-to-line dialog on a real editing component.
#include "commands_fixture.h"
#include "editor/ui/find_replace_dlg.h"
#include "editor/ui/input_line_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QtTest/QTest>

using namespace Qt::StringLiterals;
using Sci = QsciScintillaBase;

class FindReplaceTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        MakeDialog();
    }
    void MakeDialog() {
        m_dlg = std::make_unique<CFindReplaceDlg>(
            *m_config, m_prompter, [this] { return m_noEditor ? nullptr : m_editor.get(); }, nullptr);
    }
    template <typename T>
    T* Control(const QString& name) const {
        T* control = m_dlg->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    void SetFind(const QString& text) { Control<QComboBox>(u"findText"_s)->setEditText(text); }
    void SetReplace(const QString& text) { Control<QComboBox>(u"replaceText"_s)->setEditText(text); }
    void Check(const QString& name, bool on) { Control<QAbstractButton>(name)->setChecked(on); }

    bool m_noEditor = false;
    std::unique_ptr<CFindReplaceDlg> m_dlg;
};


TEST_F(FindReplaceTest, ModesShowTheirControls) {
    EXPECT_TRUE(m_dlg->isHidden());
    EXPECT_TRUE(Control<QCheckBox>(u"wrap"_s)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(u"down"_s)->isChecked());
    EXPECT_TRUE(Control<QPushButton>(u"findNext"_s)->isDefault());
    SetText("alpha\r\nbeta");
    Select(0, 9);  // across the line break
    m_dlg->Show(CFindReplaceDlg::Mode::Find);
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_EQ(m_dlg->windowTitle(), u"查找"_s);
    EXPECT_EQ(Control<QComboBox>(u"findText"_s)->currentText(), u"alpha"_s);
    EXPECT_FALSE(Control<QCheckBox>(u"inSelection"_s)->isEnabled());
    EXPECT_TRUE(Control<QPushButton>(u"count"_s)->isVisible());
    EXPECT_FALSE(Control<QPushButton>(u"replace"_s)->isVisible());
    EXPECT_FALSE(Control<QComboBox>(u"replaceText"_s)->isVisible());

    m_dlg->Show(CFindReplaceDlg::Mode::Replace);
    EXPECT_EQ(m_dlg->windowTitle(), u"替换"_s);
    EXPECT_EQ(m_dlg->CurrentMode(), CFindReplaceDlg::Mode::Replace);
    EXPECT_TRUE(Control<QCheckBox>(u"inSelection"_s)->isEnabled());
    EXPECT_TRUE(Control<QPushButton>(u"replaceAll"_s)->isVisible());
    EXPECT_FALSE(Control<QPushButton>(u"count"_s)->isVisible());
    Select(0, 0);
    m_dlg->Show(CFindReplaceDlg::Mode::Replace);
    EXPECT_FALSE(Control<QCheckBox>(u"inSelection"_s)->isEnabled());

    Control<QTabBar>(u"tabs"_s)->setCurrentIndex(0);  // the other tab switches the mode
    EXPECT_EQ(m_dlg->windowTitle(), u"查找"_s);
    EXPECT_TRUE(Control<QPushButton>(u"count"_s)->isVisible());

    Control<QPushButton>(u"cancel"_s)->click();
    EXPECT_TRUE(m_dlg->isHidden());
}

TEST_F(FindReplaceTest, FindNextWrapsAndStaysPutWhenNotFound) {
    SetText("one two one two");
    SetFind(u"two"_s);
    m_dlg->FindNext(true);
    EXPECT_EQ(Selection(), (std::pair<long, long>{4, 7}));
    m_dlg->FindNext(true);
    EXPECT_EQ(Selection(), (std::pair<long, long>{12, 15}));
    m_dlg->FindNext(true);  // after the last: wraps to the first
    EXPECT_EQ(Selection(), (std::pair<long, long>{4, 7}));
    m_dlg->FindNext(false);  // up from a selected match skips it
    EXPECT_EQ(Selection(), (std::pair<long, long>{12, 15}));

    Check(u"wrap"_s, false);
    Select(13, 13);
    SetFind(u"three"_s);
    m_dlg->FindNext(true);
    EXPECT_EQ(Selection(), (std::pair<long, long>{13, 13}));
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(FindReplaceTest, FlagsAndTextOutsideAnsi) {
    SetText("Word words WORD 安装程序 Ärger ärger");
    SetFind(u"word"_s);
    Check(u"wholeWord"_s, true);
    m_dlg->FindNext(true);
    EXPECT_EQ(Selection(), (std::pair<long, long>{0, 4}));
    Check(u"matchCase"_s, true);
    m_dlg->FindNext(true);  // "word" only as part of "words": none in this case
    EXPECT_EQ(Selection(), (std::pair<long, long>{0, 4}));
    Check(u"matchCase"_s, false);
    Check(u"wholeWord"_s, false);
    SetFind(u"安装"_s);
    m_dlg->FindNext(true);
    EXPECT_EQ(Selection(), (std::pair<long, long>{16, 22}));
    // The component folds the case of ASCII letters only.
    SetFind(u"Ärger"_s);
    m_dlg->FindNext(true);
    EXPECT_EQ(Selection(), (std::pair<long, long>{29, 35}));
}

TEST_F(FindReplaceTest, CountIgnoresDirectionAndSelection) {
    SetText("aaaa");
    Select(1, 3);
    Check(u"up"_s, true);
    SetFind(u"aa"_s);
    m_dlg->Count();
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, u"查找到 2 个。"_s);
    EXPECT_EQ(m_prompter.Messages()[0].caption, u"查找"_s);
    EXPECT_EQ(m_prompter.Messages()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(Text(), "aaaa");
}

TEST_F(FindReplaceTest, ReplaceFirstFindsThenReplaces) {
    SetText("a x a x");
    SetFind(u"x"_s);
    SetReplace(u"yy"_s);
    m_dlg->Replace(true);  // no selection: only finds
    EXPECT_EQ(Text(), "a x a x");
    EXPECT_EQ(Selection(), (std::pair<long, long>{2, 3}));
    m_dlg->Replace(true);
    EXPECT_EQ(Text(), "a yy a x");
    EXPECT_EQ(Selection(), (std::pair<long, long>{7, 8}));  // the next one
}

TEST_F(FindReplaceTest, ReplaceUpwardsMovesOnToThePreviousMatch) {
    SetText("x x x");
    SetFind(u"x"_s);
    SetReplace(u"zz"_s);
    Select(4, 5);
    m_dlg->Replace(false);
    EXPECT_EQ(Text(), "x x zz");
    EXPECT_EQ(Selection(), (std::pair<long, long>{2, 3}));
}

TEST_F(FindReplaceTest, ReplaceAllStopsAndEachReplacementUndoesAlone) {
    SetText("aaa");
    SetFind(u"a"_s);
    SetReplace(u"bb"_s);
    const long eventMask = Send(Sci::SCI_GETMODEVENTMASK);
    int notices = 0;
    QObject::connect(m_editor.get(), &Sci::SCN_MODIFIED, [&notices] { ++notices; });
    m_dlg->ReplaceAll(false);
    EXPECT_EQ(Text(), "bbbbbb");
    // The view hears of the change once, and later edits are heard again.
    EXPECT_GT(notices, 0);
    EXPECT_EQ(Send(Sci::SCI_GETMODEVENTMASK), eventMask);
    Send(Sci::SCI_UNDO);
    EXPECT_EQ(Text(), "bbbba");
    EXPECT_TRUE(m_prompter.Messages().empty());  // the number is not reported
}

TEST_F(FindReplaceTest, ReplaceAllInsideSelectionOnly) {
    SetText("a a a a");
    Select(2, 5);
    SetFind(u"a"_s);
    SetReplace(u"aXa"_s);  // contains the search text
    m_dlg->ReplaceAll(true);
    EXPECT_EQ(Text(), "a aXa aXa a");
    // The range shrinks with what goes: the last "ab" lies outside it.
    SetText("ab ab ab");
    Select(0, 5);
    SetFind(u"ab"_s);
    SetReplace({});
    m_dlg->ReplaceAll(true);
    EXPECT_EQ(Text(), "  ab");
}

TEST_F(FindReplaceTest, HistoriesAreStoredAndComeBack) {
    SetText("text");
    for (int i = 0; i < 21; ++i) {
        SetFind(u"t%1"_s.arg(i));
        m_dlg->FindNext(true);
    }
    SetFind(u"t20"_s);
    m_dlg->FindNext(true);  // the same text again: no second entry
    SetFind(u"t"_s);
    SetReplace(u"r"_s);
    m_dlg->ReplaceAll(false);
    auto* box = Control<QComboBox>(u"findText"_s);
    ASSERT_EQ(box->count(), 20);
    EXPECT_EQ(box->itemText(0), u"t"_s);
    EXPECT_EQ(box->itemText(1), u"t20"_s);
    EXPECT_EQ(box->itemText(19), u"t2"_s);  // t0 and t1 pushed out

    ReloadConfig();  // as after a restart
    EXPECT_EQ(m_config->ReadHistory(kFindHistory).first(), u"t"_s);
    EXPECT_EQ(m_config->ReadHistory(kFindHistory).size(), 20);
    EXPECT_EQ(m_config->ReadHistory(kReplaceHistory), QStringList{u"r"_s});
    MakeDialog();
    EXPECT_EQ(Control<QComboBox>(u"findText"_s)->currentText(), u"t"_s);
    EXPECT_EQ(Control<QComboBox>(u"replaceText"_s)->currentText(), u"r"_s);
}

TEST_F(FindReplaceTest, NoEditorNoSearchNoHistory) {
    SetText("abc");
    m_noEditor = true;
    SetFind(u"b"_s);
    m_dlg->FindNext(true);
    m_dlg->Count();
    m_dlg->ReplaceAll(false);
    EXPECT_TRUE(m_prompter.Messages().empty());
    EXPECT_TRUE(m_config->ReadHistory(kFindHistory).isEmpty());
    SetFind({});
    m_noEditor = false;
    m_dlg->Count();
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(FindReplaceTest, FarMatchIsScrolledToTheMiddle) {
    QByteArray text;
    for (int i = 0; i < 500; ++i)
        text += "line\n";
    text += "target\n";
    for (int i = 0; i < 500; ++i)
        text += "line\n";
    SetText(text);
    m_editor->show();
    QApplication::processEvents();
    const long onScreen = Send(Sci::SCI_LINESONSCREEN);
    ASSERT_GT(onScreen, 2);
    SetFind(u"target"_s);
    m_dlg->FindNext(true);
    EXPECT_EQ(Send(Sci::SCI_GETFIRSTVISIBLELINE), 500 - onScreen / 2);
}

namespace {

// Answers the next modal go-to dialog with text, or cancels it when text is empty-null.
void AnswerGoTo(const std::optional<QString>& text, QString* shownField = nullptr) {
    QTimer::singleShot(0, [text, shownField] {
        auto* dlg = qobject_cast<CInputLineDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), u"前往行号"_s);
        if (shownField)
            *shownField = dlg->Field();
        if (!text) {
            dlg->reject();
            return;
        }
        dlg->findChild<QLineEdit*>(u"lineField"_s)->setText(*text);
        dlg->accept();
    });
}

}  // namespace

TEST_F(FindReplaceTest, GoToLine) {
    SetText("1\n2\n3\n4\n5\n");
    Send(Sci::SCI_GOTOLINE, 2);
    QString shown;
    AnswerGoTo(u"4"_s, &shown);
    CInputLineDlg::GoToLine(*m_editor, nullptr);
    EXPECT_EQ(shown, u"3"_s);
    EXPECT_EQ(Send(Sci::SCI_GETCURRENTPOS), 6);

    AnswerGoTo(QString());  // emptied field
    CInputLineDlg::GoToLine(*m_editor, nullptr);
    EXPECT_EQ(Send(Sci::SCI_GETCURRENTPOS), 0);

    AnswerGoTo(u"99999999999999999999"_s);
    CInputLineDlg::GoToLine(*m_editor, nullptr);
    EXPECT_EQ(Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)Send(Sci::SCI_GETCURRENTPOS)), 5);

    Send(Sci::SCI_GOTOPOS, 2);
    AnswerGoTo(std::nullopt);
    CInputLineDlg::GoToLine(*m_editor, nullptr);
    EXPECT_EQ(Send(Sci::SCI_GETCURRENTPOS), 2);
}

TEST_F(FindReplaceTest, GoToFieldTakesDigitsOnly) {
    CInputLineDlg dlg(7, nullptr);
    auto* field = dlg.findChild<QLineEdit*>(u"lineField"_s);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), u"7"_s);
    field->clear();
    QTest::keyClicks(field, u"1a2-3"_s);
    EXPECT_EQ(dlg.Field(), u"123"_s);
}
