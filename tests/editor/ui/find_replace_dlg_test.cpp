// The find and replace dialog and the go-to-line dialog on the frame's active editor.
#include "support/commands_fixture.h"
#include "editor/ui/find_replace_dlg.h"
#include "editor/ui/input_line_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTimer>
#include <QtTest/QTest>

class FindReplaceTest : public FrameCommandsTest {
protected:
    void SetUp() override {
        FrameCommandsTest::SetUp();
        m_frame->OnCommand(Cmd::NewBlank);
        MakeDialog(*m_config);
    }
    void MakeDialog(Configurator& config) {
        m_dlg = std::make_unique<CFindReplaceDlg>(
            config, m_prompter, [this] { return m_noEditor ? nullptr : &Call(); }, nullptr);
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
    const auto expectMode = [this](const QString& title, bool replacing) {
        EXPECT_EQ(m_dlg->windowTitle(), title);
        EXPECT_EQ(m_dlg->CurrentMode(), replacing ? CFindReplaceDlg::Mode::Replace : CFindReplaceDlg::Mode::Find);
        EXPECT_EQ(Control<QPushButton>(u"count"_s)->isVisible(), !replacing);
        for (const QString& name : {u"replace"_s, u"replaceAll"_s, u"replaceText"_s})
            EXPECT_EQ(Control<QWidget>(name)->isVisible(), replacing) << name.toStdString();
    };
    EXPECT_TRUE(m_dlg->isHidden());
    EXPECT_TRUE(Control<QCheckBox>(u"wrap"_s)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(u"down"_s)->isChecked());
    EXPECT_TRUE(Control<QPushButton>(u"findNext"_s)->isDefault());
    SetText("alpha\r\nbeta");
    Select(0, 9);  // across the line break
    m_dlg->Show(CFindReplaceDlg::Mode::Find);
    EXPECT_TRUE(m_dlg->isVisible());
    expectMode(u"查找"_s, false);
    EXPECT_EQ(Control<QComboBox>(u"findText"_s)->currentText(), u"alpha"_s);
    EXPECT_FALSE(Control<QCheckBox>(u"inSelection"_s)->isEnabled());

    m_dlg->Show(CFindReplaceDlg::Mode::Replace);
    expectMode(u"替换"_s, true);
    EXPECT_TRUE(Control<QCheckBox>(u"inSelection"_s)->isEnabled());
    Select(0, 0);
    m_dlg->Show(CFindReplaceDlg::Mode::Replace);
    EXPECT_FALSE(Control<QCheckBox>(u"inSelection"_s)->isEnabled());

    Control<QTabBar>(u"tabs"_s)->setCurrentIndex(0);  // the other tab switches the mode
    expectMode(u"查找"_s, false);
    Control<QPushButton>(u"cancel"_s)->click();
    EXPECT_TRUE(m_dlg->isHidden());
}

namespace {

enum Flag { kUp = 1, kNoWrap = 2, kWhole = 4, kCase = 8 };
enum class Action { Next, Replace, All, AllInSelection };
constexpr long kAny = -1;

struct SearchCase {
    const char* text;
    long anchor, caret;
    const char16_t *find, *replace;
    int flags;
    Action action;
    const char* expected;
    long selStart = kAny, selEnd = kAny;
    const char16_t* report = u"";  // the status bar's line; "" for none
};

const SearchCase kSearchCases[] = {
    {"one two one two", 0, 0, u"two", u"", 0, Action::Next, "one two one two", 4, 7},
    {"one two one two", 4, 7, u"two", u"", 0, Action::Next, "one two one two", 12, 15},
    {"one two one two", 12, 15, u"two", u"", 0, Action::Next, "one two one two", 4, 7},    // wraps
    {"one two one two", 4, 7, u"two", u"", kUp, Action::Next, "one two one two", 12, 15},  // skips the selected match
    {"one two one two", 13, 13, u"three", u"", kNoWrap, Action::Next, "one two one two", 13, 13, u"未找到 “three”"},
    {"Word words WORD", 0, 0, u"word", u"", kWhole, Action::Next, "Word words WORD", 0, 4},
    {"Word words WORD", 0, 0, u"word", u"", kWhole | kCase, Action::Next, "Word words WORD", 0, 0, u"未找到 “word”"},
    // Offsets count UTF-8 bytes; the component folds the case of ASCII letters only.
    {"Word 安装程序 Ärger ärger", 0, 0, u"安装", u"", 0, Action::Next, "Word 安装程序 Ärger ärger", 5, 11},
    {"Word 安装程序 ärger Ärger", 0, 0, u"Ärger", u"", 0, Action::Next, "Word 安装程序 ärger Ärger", 25, 31},
    // Replace first finds, then replaces and selects the next match in its direction.
    {"a x a x", 0, 0, u"x", u"yy", 0, Action::Replace, "a x a x", 2, 3},
    {"a x a x", 2, 3, u"x", u"yy", 0, Action::Replace, "a yy a x", 7, 8},
    {"x x x", 4, 5, u"x", u"zz", kUp, Action::Replace, "x x zz", 2, 3},
    {"aaa", 0, 0, u"a", u"bb", 0, Action::All, "bbbbbb", kAny, kAny, u"已替换 3 处"},
    {"aaa", 0, 0, u"安装", u"bb", 0, Action::All, "aaa", kAny, kAny, u"未找到 “安装”"},
    // A replacement containing the search text, and a range that shrinks with what goes.
    {"a a a a", 2, 5, u"a", u"aXa", 0, Action::AllInSelection, "a aXa aXa a", kAny, kAny, u"已替换 2 处"},
    {"ab ab ab", 0, 5, u"ab", u"", 0, Action::AllInSelection, "  ab", kAny, kAny, u"已替换 2 处"},
};

}  // namespace

TEST_F(FindReplaceTest, FindReplaceAndReplaceAllByTheOptions) {
    for (const SearchCase& c : kSearchCases) {
        SCOPED_TRACE(c.text + std::string(" / ") + QString::fromUtf16(c.find).toStdString());
        SetText(c.text);
        Select(c.anchor, c.caret);
        SetFind(QString::fromUtf16(c.find));
        SetReplace(QString::fromUtf16(c.replace));
        Check(u"wrap"_s, !(c.flags & kNoWrap));
        Check(u"wholeWord"_s, c.flags & kWhole);
        Check(u"matchCase"_s, c.flags & kCase);
        QSignalSpy reported(m_dlg.get(), &CFindReplaceDlg::Reported);
        switch (c.action) {
        case Action::Next: m_dlg->FindNext(!(c.flags & kUp)); break;
        case Action::Replace: m_dlg->Replace(!(c.flags & kUp)); break;
        case Action::All: m_dlg->ReplaceAll(false); break;
        case Action::AllInSelection: m_dlg->ReplaceAll(true); break;
        }
        EXPECT_EQ(Text(), c.expected);
        if (c.selStart != kAny) {
            EXPECT_EQ(Selection(), (std::pair<long, long>{c.selStart, c.selEnd}));
        }
        EXPECT_EQ(reported.isEmpty() ? QString() : reported.last().at(0).toString(), QString::fromUtf16(c.report));
    }
    // A miss and the number replaced go to the status bar, never into a message box.
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(FindReplaceTest, ReplaceAllUndoesOneByOneAndCountIgnoresDirectionAndSelection) {
    SetText("aaa");
    SetFind(u"a"_s);
    SetReplace(u"bb"_s);
    const long eventMask = Call().ModEventMask();
    int notices = 0;
    QObject::connect(&Call(), &Sc::Modified, [&notices] { ++notices; });
    m_dlg->ReplaceAll(false);
    // The view hears of the change, and later edits are heard again.
    EXPECT_GT(notices, 0);
    EXPECT_EQ(Call().ModEventMask(), eventMask);
    Call().Undo();
    EXPECT_EQ(Text(), "bbbba");

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

TEST_F(FindReplaceTest, HistoriesAreStoredAndComeBack) {
    // Order and limit are the history rule's; here both lists are kept and come back.
    SetText("text");
    SetFind(u"e"_s);
    m_dlg->FindNext(true);
    SetFind(u"t"_s);
    SetReplace(u"r"_s);
    m_dlg->ReplaceAll(false);
    auto* box = Control<QComboBox>(u"findText"_s);
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), u"t"_s);

    Configurator restarted(m_dir.path(), m_dir.filePath(u"user"_s), m_prompter);
    ASSERT_TRUE(restarted.Load());
    EXPECT_EQ(restarted.ReadHistory(kFindHistory), (QStringList{u"t"_s, u"e"_s}));
    EXPECT_EQ(restarted.ReadHistory(kReplaceHistory), QStringList{u"r"_s});
    MakeDialog(restarted);
    EXPECT_EQ(Control<QComboBox>(u"findText"_s)->currentText(), u"t"_s);
    EXPECT_EQ(Control<QComboBox>(u"replaceText"_s)->currentText(), u"r"_s);
    m_dlg.reset();
}

TEST_F(FindReplaceTest, NoEditorOrNoTextSearchesNothingAndStoresNothing) {
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
    SetText(QByteArray("line\n").repeated(500) + "target\n" + QByteArray("line\n").repeated(500));
    ShowActive();
    const long onScreen = Call().LinesOnScreen();
    ASSERT_GT(onScreen, 2);
    SetFind(u"target"_s);
    m_dlg->FindNext(true);
    EXPECT_EQ(Call().FirstVisibleLine(), 500 - onScreen / 2);
}

namespace {

// Answers the next modal go-to dialog with text, or cancels it without one.
void AnswerGoTo(const std::optional<QString>& text, QString* shownField = nullptr) {
    QTimer::singleShot(0, [text, shownField] {
        auto* dlg = qobject_cast<CInputLineDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), u"前往行号"_s);
        if (shownField)
            *shownField = dlg->Field();
        if (!text)
            return dlg->reject();
        dlg->findChild<QLineEdit*>(u"lineField"_s)->setText(*text);
        dlg->accept();
    });
}

}  // namespace

TEST_F(FindReplaceTest, GoToLine) {
    SetText("1\n2\n3\n4\n5\n");
    Call().GotoLine(2);
    QString shown;
    AnswerGoTo(u"4"_s, &shown);
    m_frame->OnCommand(Cmd::GoToLine);
    EXPECT_EQ(shown, u"3"_s);
    EXPECT_EQ(Call().CurrentPos(), 6);

    // Which line an empty or huge number means is the target rule's; cancelled, the caret stays.
    Call().GotoPos(2);
    AnswerGoTo(std::nullopt);
    m_frame->OnCommand(Cmd::GoToLine);
    EXPECT_EQ(Call().CurrentPos(), 2);

    CInputLineDlg dlg(7, nullptr);  // the field takes digits only
    auto* field = dlg.findChild<QLineEdit*>(u"lineField"_s);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), u"7"_s);
    field->clear();
    QTest::keyClicks(field, u"1a2-3"_s);
    EXPECT_EQ(dlg.Field(), u"123"_s);
}
