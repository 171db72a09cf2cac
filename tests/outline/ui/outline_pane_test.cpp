// The outline in the frame: it follows the active tab and settled edits, and leads the editor to a line.
#include "side_pane_fixture.h"
#include "outline/ui/active_text_pieces.h"

TEST_F(SidePaneTest, OutlineFollowsTheActiveTabAndSettledEdits) {
    const QStringList first{"Section A@0", "Function F@2"};
    ASSERT_TRUE(
        Docs().OpenDocument(Script(QStringLiteral("a.nsi"), "Section A\r\nSectionEnd\r\nFunction F\r\n"), false));
    ASSERT_TRUE(WaitFor([&] { return Rows() == first; })) << Shown();

    // Typing that rests rereads the script.
    Editor().Call().AppendText("Function G\r\n");
    const QStringList edited = first + QStringList{"Function G@3"};
    ASSERT_TRUE(WaitFor([&] { return Rows() == edited; })) << Shown();

    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("b.nsi"), "!macro M\r\n"), false));
    ASSERT_TRUE(WaitFor([&] { return Rows() == QStringList{"!macro M@0"}; })) << Shown();
    Docs().ShowStartPage();
    ASSERT_TRUE(WaitFor([&] { return TopCount() == 0; }));
    Docs().Activate(0);
    EXPECT_TRUE(WaitFor([&] { return Rows() == edited; })) << Shown();
}

TEST_F(SidePaneTest, AnOutlineReadInSmallPiecesFillsFollowsAnEditAndNeverMixesTwoTexts) {
    // Groups open in one piece and close in another; lone CRs among the CR LFs.
    QByteArray script;
    for (int i = 0; i < 40; ++i) {
        const QByteArray n = QByteArray::number(i);
        script += "SectionGroup G" + n + "\r\n  Section S" + n + (i % 3 ? "\r\n" : "\r") + "  DetailPrint " + n
            + "\r\nSectionGroupEnd\r\n";
    }
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("pieces.nsi"), script), false));
    ActiveTextPieces pieces([this] { return Docs().ActiveView(); }, 64);

    // The pieces are whole lines that together make the text.
    QByteArray joined;
    OutlinePiece piece;
    do {
        piece = pieces(joined.size());
        ASSERT_FALSE(piece.stale);
        joined += piece.bytes;
        // Cut where a line begins: never between a CR and its LF.
        if (!piece.last) {
            EXPECT_TRUE(joined.endsWith('\n') || (joined.endsWith('\r') && script[joined.size()] != '\n'));
        }
    } while (!piece.last);
    EXPECT_EQ(joined, Editor().Text());
    // A change, or another view in front, makes the rest of a pass stale until a new one begins.
    const qint64 second = pieces(0).bytes.size();
    Editor().Call().InsertText(0, "; x\r\n");
    EXPECT_TRUE(pieces(second).stale);
    ASSERT_FALSE(pieces(0).stale);
    Docs().NewBlank();
    EXPECT_TRUE(pieces(second).stale);
    EXPECT_EQ(pieces(0).bytes, QByteArray());
    Docs().Activate(0);

    CCodeTreeCtrl tree(ActiveTextPieces([this] { return Docs().ActiveView(); }, 64), nullptr);
    const auto showsTheScan = [&] { return TreeRows(*tree.model()) == ScanRows(Editor().Text()); };
    tree.Wake();
    ASSERT_TRUE(WaitFor(showsTheScan)) << TreeRows(*tree.model()).join(u'|').toStdString();

    Editor().Call().InsertText(Editor().Text().indexOf("SectionGroup G2"),
                               "SectionGroup Added\r\nSection New\r\nSectionGroupEnd\r\n");
    tree.Wake();
    ASSERT_TRUE(WaitFor(showsTheScan)) << TreeRows(*tree.model()).join(u'|').toStdString();

    // Closed during a pass: the piece it would have read is not asked of a gone tree.
    {
        CCodeTreeCtrl closing(ActiveTextPieces([this] { return Docs().ActiveView(); }, 64), nullptr);
        closing.Wake();
    }
    QCoreApplication::processEvents();
}

TEST_F(SidePaneTest, ActivatingAnItemBringsItsLineFiveBelowTheEditorsTop) {
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("long.nsi"), NumberedScript(400)), false));
    ASSERT_TRUE(WaitFor([&] { return TopCount() == 4; }));
    // Keys are walked on the tree alone. A double click takes the item under the mouse;
    // QTest's double click lacks the press before it.
    const QPoint at = Tree().visualRect(TopItem(1)).center();  // Function F150
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(WaitFor([&] { return CaretLine(Editor()) == 150; }));
    EXPECT_EQ(First(Editor()), 145);
    EXPECT_TRUE(Editor().Call().Widget()->hasFocus());
}

TEST_F(SidePaneTest, TogglesPutOneViewInTheSidePaneAndTheFirstTabDecidesForTheOutline) {
    CPaneContainer* pane = FrameCodePane(*m_frame);
    const auto expectShown = [&](QWidget* shown, QWidget* hidden, int checked, int unchecked) {
        EXPECT_TRUE(pane->isVisible());
        EXPECT_EQ(pane->CurrentContent(), shown);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_FALSE(hidden->isVisible());
        EXPECT_TRUE(FrameActions(*m_frame).Action(checked)->isChecked());
        EXPECT_FALSE(FrameActions(*m_frame).Action(unchecked)->isChecked());
    };
    ASSERT_TRUE(ConfigBytes().contains("<ShowCodeTree Val=\"-1\""));
    // A fresh install starts on the start page, which decides nothing.
    m_frame->OpenInitialDocuments(CommandLine{});
    ASSERT_EQ(Docs().Count(), 1);
    ASSERT_FALSE(Docs().DocumentAt(0));
    EXPECT_FALSE(pane->isVisible());
    EXPECT_EQ(m_config->Base().ShowCodeTree, -1);
    EXPECT_TRUE(ConfigBytes().contains("<ShowCodeTree Val=\"-1\""));

    Docs().NewBlank();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->CurrentContent(), &Tree());
    // Stored at once, not only when the frame closes.
    EXPECT_TRUE(ConfigBytes().contains("<ShowCodeTree Val=\"1\"")) << ConfigBytes().toStdString();

    m_frame->OnCommand(Cmd::ToggleThumbnail);
    expectShown(&Thumb(), &Tree(), Cmd::ToggleThumbnail, Cmd::ToggleOutline);
    m_frame->OnCommand(Cmd::ToggleOutline);
    expectShown(&Tree(), &Thumb(), Cmd::ToggleOutline, Cmd::ToggleThumbnail);
    m_frame->OnCommand(Cmd::ToggleOutline);
    EXPECT_FALSE(pane->isVisible());
    EXPECT_FALSE(FrameActions(*m_frame).Action(Cmd::ToggleOutline)->isChecked());

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
    EXPECT_TRUE(ThumbnailShown(*m_frame));
    EXPECT_EQ(FrameCodePane(*m_frame)->CurrentContent(), &Thumb());
    // Stored as off, the outline stays off for the first tab of this start.
    ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("a.nsi"), "Name \"x\"\r\n"), false));
    EXPECT_EQ(FrameCodePane(*m_frame)->CurrentContent(), &Thumb());
    EXPECT_EQ(Thumb().TextView()->Text(), QByteArray("Name \"x\"\r\n"));
}
