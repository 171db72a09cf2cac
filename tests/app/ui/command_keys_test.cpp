// Command keys pressed in the window reach their handlers once, whatever the menu item's state.
#include "support/commands_fixture.h"

#include "compiler/ui/compile_controller.h"
#include "support/eventually.h"

#include <QtTest/QTest>

namespace {

struct KeyCase {
    const char* name;
    QByteArray text;
    long anchor, caret;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QByteArray expected;
};

}  // namespace

TEST_F(FrameCommandsTest, EditKeysActOnceWhetherTheirItemIsEnabledOrNot) {
    m_frame->OnCommand(Cmd::NewBlank);
    ShowActive();
    const KeyCase cases[] = {
        // The quote item is disabled without a selection; its key still inserts the pair.
        {"quote nothing", "ab", 1, 1, Qt::Key_Q, Qt::ControlModifier, "a\"\"b"},
        {"quote a selection", "ab", 0, 2, Qt::Key_Q, Qt::ControlModifier, "\"ab\""},
        {"upper case", "ab", 0, 2, Qt::Key_U, Qt::ControlModifier, "AB"},
        {"lower case of nothing", "AB", 1, 1, Qt::Key_L, Qt::ControlModifier, "AB"},
        {"comment key", "a", 0, 0, Qt::Key_Semicolon, Qt::ControlModifier, ";a"},
    };
    for (const KeyCase& c : cases) {
        SetText(c.text);
        Select(c.anchor, c.caret);
        Settle();
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
        EXPECT_EQ(Text(), c.expected) << c.name;
    }
}

TEST_F(FrameCommandsTest, EscapeStopsACompileWhileTheStartPageIsShown) {
    StartSleepingCompile();
    m_frame->OnCommand(Cmd::StartPage);
    m_frame->show();
    QApplication::setActiveWindow(m_frame.get());
    FrameStartPage(*m_frame)->setFocus();
    Settle();
    ASSERT_FALSE(Enabled(Cmd::StopCompile));  // no document is active
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_EVENTUALLY(!FrameCompiler(*m_frame).IsCompiling());
}
