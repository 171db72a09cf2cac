// The outline in the frame: it follows the active tab and settled edits, and leads the editor to a line.
#include "side_pane_fixture.h"

TEST_F(SidePaneTest, OutlineFollowsTheActiveTabAndEmptiesOnTheStartPage) {
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("a.nsi"), "Section A\r\nSectionEnd\r\nFunction F\r\n"), false));
    ASSERT_TRUE(WaitFor([&] { return TopLabels() == QStringList{"Section A", "Function F"}; })) << Shown();

    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("b.nsi"), "!macro M\r\n"), false));
    ASSERT_TRUE(WaitFor([&] { return TopLabels() == QStringList{"!macro M"}; })) << Shown();

    Docs().ShowStartPage();
    ASSERT_TRUE(WaitFor([&] { return Tree().topLevelItemCount() == 0; }));

    Docs().Activate(0);
    EXPECT_TRUE(WaitFor([&] { return TopLabels() == QStringList{"Section A", "Function F"}; })) << Shown();
}

TEST_F(SidePaneTest, OutlineRereadsTheScriptOnceTypingRests) {
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("a.nsi"), "Function F\r\nFunctionEnd\r\n"), false));
    ASSERT_TRUE(WaitFor([&] { return TopLabels() == QStringList{"Function F"}; }));
    QTreeWidgetItem* kept = Tree().topLevelItem(0);

    const QByteArray added = "Function G\r\n";
    Editor().Editor()->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(added.size()), added.constData());
    ASSERT_TRUE(WaitFor([&] { return TopLabels() == QStringList{"Function F", "Function G"}; }))
        << Shown();
    EXPECT_EQ(Tree().topLevelItem(0), kept);
    EXPECT_EQ(CCodeTreeCtrl::ItemLine(Tree().topLevelItem(1)), 2);
}

TEST_F(SidePaneTest, ActivatingAnItemBringsItsLineFiveBelowTheEditorsTop) {
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("long.nsi"), NumberedScript(400)), false));
    ASSERT_TRUE(WaitFor([&] { return Tree().topLevelItemCount() == 4; }));

    Tree().setFocus();
    Tree().setCurrentItem(Tree().topLevelItem(2));  // Function F250
    QTest::keyClick(&Tree(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return CaretLine(Editor()) == 250; }));
    EXPECT_EQ(First(Editor()), 245);
    EXPECT_TRUE(Editor().Editor()->hasFocus());

    // A double click takes the item under the mouse.
    QTreeWidgetItem* item = Tree().topLevelItem(1);  // Function F150
    const QPoint at = Tree().visualItemRect(item).center();
    // QTest's double click alone lacks the press that comes first.
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(WaitFor([&] { return CaretLine(Editor()) == 150; }));
    EXPECT_EQ(First(Editor()), 145);
}

TEST_F(SidePaneTest, TogglesPutOneViewInTheSidePaneAndTheFirstTabDecidesForTheOutline) {
    CommandActions& commands = m_frame->Commands();
    CPaneContainer* pane = m_frame->CodePane();
    EXPECT_FALSE(pane->isVisible());
    ASSERT_TRUE(ConfigBytes().contains("<ShowCodeTree Val=\"-1\""));

    Docs().NewBlank();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->CurrentContent(), &Tree());
    // Stored at once, not only when the frame closes.
    EXPECT_TRUE(ConfigBytes().contains("<ShowCodeTree Val=\"1\"")) << ConfigBytes().toStdString();

    m_frame->OnCommand(Cmd::ToggleThumbnail);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->CurrentContent(), &Thumb());
    EXPECT_TRUE(Thumb().isVisible());
    EXPECT_FALSE(Tree().isVisible());
    EXPECT_TRUE(commands.Action(Cmd::ToggleThumbnail)->isChecked());
    EXPECT_FALSE(commands.Action(Cmd::ToggleOutline)->isChecked());

    m_frame->OnCommand(Cmd::ToggleOutline);
    EXPECT_EQ(pane->CurrentContent(), &Tree());
    EXPECT_TRUE(Tree().isVisible());
    EXPECT_FALSE(Thumb().isVisible());
    EXPECT_TRUE(commands.Action(Cmd::ToggleOutline)->isChecked());
    EXPECT_FALSE(commands.Action(Cmd::ToggleThumbnail)->isChecked());

    m_frame->OnCommand(Cmd::ToggleOutline);
    EXPECT_FALSE(pane->isVisible());
    EXPECT_FALSE(commands.Action(Cmd::ToggleOutline)->isChecked());

    // Decided once: a later tab leaves the pane as the user put it.
    Docs().NewBlank();
    EXPECT_FALSE(pane->isVisible());
}

TEST_F(SidePaneTest, AStoredThumbnailChoiceComesBackAttachedToTheFirstScript) {
    Docs().NewBlank();
    m_frame->OnCommand(Cmd::ToggleThumbnail);
    ASSERT_TRUE(m_frame->close());

    CreateFrame();
    m_frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    EXPECT_TRUE(m_frame->IsThumbnailShown());
    EXPECT_EQ(m_frame->CodePane()->CurrentContent(), &Thumb());
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("a.nsi"), "Name \"x\"\r\n"), false));
    EXPECT_EQ(Thumb().Text(), QByteArray("Name \"x\"\r\n"));
}
