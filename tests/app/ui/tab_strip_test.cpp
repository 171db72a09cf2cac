// The tab strip with the mouse: drag reordering, close glyph, double clicks, and the tab menu.
#include "support/frame_fixture.h"

#include "app/ui/command_actions.h"
#include "app/ui/file_tab_ctrl.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>

namespace {

void Mouse(QWidget* target, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons,
           Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

class TabStripTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_frame->resize(900, 600);
        m_frame->show();
        for (int i = 0; i < 4; ++i)
            Docs().NewBlank();
        m_tabs = FrameTabs(*m_frame);
    }
    QPoint RightOfMiddle(int index) const { return m_tabs->tabRect(index).center() + QPoint(6, 0); }

    CFileTabCtrl* m_tabs = nullptr;
};

TEST_F(TabStripTest, DraggingOverTwoTabsMovesTwoPlacesAndKeepsDocumentsWithTheirTabs) {
    QList<QWidget*> views;
    for (int i = 0; i < 4; ++i)
        views << Docs().Item(i)->GetWindow();
    const QPoint start = m_tabs->tabRect(0).center();
    Mouse(m_tabs, QEvent::MouseButtonPress, start, Qt::LeftButton);
    ASSERT_EQ(Docs().ActiveIndex(), 0);
    // Not yet past the neighbour's middle: nothing moves.
    Mouse(m_tabs, QEvent::MouseMove, m_tabs->tabRect(1).center() - QPoint(4, 0), Qt::LeftButton);
    EXPECT_EQ(m_tabs->tabText(0), QStringLiteral("New(1) "));
    Mouse(m_tabs, QEvent::MouseMove, RightOfMiddle(1), Qt::LeftButton);
    Mouse(m_tabs, QEvent::MouseMove, RightOfMiddle(2), Qt::LeftButton);
    Mouse(m_tabs, QEvent::MouseButtonRelease, RightOfMiddle(2), Qt::NoButton);

    const QStringList expected{QStringLiteral("New(2) "), QStringLiteral("New(3) "), QStringLiteral("New(1) "),
                               QStringLiteral("New(4) ")};
    const QList<int> order{1, 2, 0, 3};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m_tabs->tabText(i), expected[i]);
        EXPECT_EQ(Title(i), expected[i]);
        EXPECT_EQ(Docs().Item(i)->GetWindow(), views[order[i]]);
    }
    EXPECT_EQ(Docs().ActiveIndex(), 2);
    EXPECT_EQ(m_tabs->currentIndex(), 2);
}

TEST_F(TabStripTest, CloseGlyphClosesOnlyWhenReleasedInsideIt) {
    const QRect glyph = CFileTabCtrl::GlyphRect(m_tabs->tabRect(1));
    EXPECT_EQ(glyph.width(), 11);
    EXPECT_EQ(glyph.height(), 11);
    Mouse(m_tabs, QEvent::MouseMove, glyph.center(), Qt::NoButton);
    Mouse(m_tabs, QEvent::MouseButtonPress, glyph.center(), Qt::LeftButton);
    Mouse(m_tabs, QEvent::MouseButtonRelease, glyph.center() + QPoint(0, 12), Qt::NoButton);
    EXPECT_EQ(Docs().Count(), 4);

    Mouse(m_tabs, QEvent::MouseMove, glyph.center(), Qt::NoButton);
    Mouse(m_tabs, QEvent::MouseButtonPress, glyph.center(), Qt::LeftButton);
    Mouse(m_tabs, QEvent::MouseButtonRelease, glyph.center(), Qt::NoButton);
    ASSERT_EQ(Docs().Count(), 3);
    EXPECT_EQ(Title(1), QStringLiteral("New(3) "));
}

TEST_F(TabStripTest, DoubleClicksMakeANewDocumentOrCloseOneWithItsPrompt) {
    const QPoint empty(m_tabs->width() - 5, 10);
    ASSERT_LT(m_tabs->tabAt(empty), 0);
    Mouse(m_tabs, QEvent::MouseButtonDblClick, empty, Qt::LeftButton);
    Settle();
    ASSERT_EQ(Docs().Count(), 5);
    EXPECT_EQ(Docs().ActiveItem()->GetTitle(), QStringLiteral("New(5) "));

    Docs().ActiveView()->AppendText("x");
    Mouse(m_tabs, QEvent::MouseButtonDblClick, m_tabs->tabRect(4).center(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(Docs().Count(), 5);  // the prompt went unanswered: cancel
    EXPECT_EQ(m_prompter.Messages().size(), 1u);
}

TEST_F(TabStripTest, TabMenuHoldsItsCommandsAndTooltipsNameTheTab) {
    QMenu* menu = FrameActions(*m_frame).TabMenu();
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    EXPECT_EQ(texts,
              (QStringList{QStringLiteral("关闭当前文件"), QStringLiteral("关闭当前以外所有文件"),
                           QStringLiteral("保存当前文件"), QStringLiteral("当前文件另存为"),
                           QStringLiteral("重新读取当前文件"), QStringLiteral("复制文件路径到剪切板"),
                           QStringLiteral("复制文件名到剪切板"), QStringLiteral("复制当前路径到剪切板")}));
    EXPECT_EQ(m_tabs->tabToolTip(2), QStringLiteral("New(3) "));

    const QString path = Script(QStringLiteral("copy me.nsi"));
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    menu->actions().at(8)->trigger();  // 复制文件名到剪切板
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("copy me.nsi"));
    m_frame->OnCommand(Cmd::CopyFolder);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), m_dir.path());
}
