// Rules that need no window: command line, command table, document set, recent files and start-page links.
#include "app/core/command_ids.h"
#include "app/core/command_line.h"
#include "app/core/command_table.h"
#include "app/core/document_rules.h"
#include "app/core/recent_files.h"

#include <gtest/gtest.h>
#include <set>

TEST(CommandLine, CompileSwitchInEitherCaseAndOnlyTheLastPathCounts) {
    for (const char* flag : {"/c", "/C", "-c", "-C"}) {
        const CommandLine line = ParseCommandLine({QString::fromLatin1(flag), QStringLiteral("a.nsi")});
        EXPECT_TRUE(line.compile) << flag;
        EXPECT_EQ(line.path, QStringLiteral("a.nsi"));
    }
    CommandLine line = ParseCommandLine({QStringLiteral("/Cx"), QStringLiteral("-CC"), QStringLiteral("/X")});
    EXPECT_FALSE(line.compile);  // longer switches are ignored
    EXPECT_TRUE(line.path.isEmpty());
    line = ParseCommandLine({QStringLiteral("first.nsi"), QStringLiteral("  \"my \"dir\"/second.nsi\" ")});
    EXPECT_EQ(line.path, QStringLiteral("my dir/second.nsi"));  // trimmed, without quotes
    line = ParseCommandLine({QStringLiteral("/home/user/setup.nsi"), QStringLiteral("/C")});
    EXPECT_EQ(line.path, QStringLiteral("/home/user/setup.nsi"));  // an absolute path is no switch
    EXPECT_TRUE(line.compile);
    line = ParseCommandLine({QStringLiteral("--json"), QStringLiteral("--check"), QStringLiteral("a.nsi")});
    EXPECT_TRUE(line.check && line.json && !line.compile);
    EXPECT_EQ(line.path, QStringLiteral("a.nsi"));
}

TEST(ShellRules, ActiveTabAfterCloseAndDroppedFilesByExtension) {
    // (active, closed, count after) -> active after.
    const int cases[][4] = {
        {1, 3, 4, 1},  // right of the active tab: nothing changes
        {1, 0, 4, 0},  // its left neighbour: the same document, one place left
        {1, 3, 3, 1},  // the last tab while another is active: that one stays
        {3, 3, 3, 2},  // the active last tab: its left neighbour
        {1, 1, 3, 1},  // the active tab inside: its right neighbour takes the place
    };
    for (const auto& [active, closed, countAfter, expected] : cases)
        EXPECT_EQ(ActiveIndexAfterClose(active, closed, countAfter), expected) << active << " " << closed;
    // No extension counts; the match is case-sensitive.
    for (const char* path : {"/x/setup.nsi", "/x/lib.nsh", "/x.d/README", "/x/main.c"})
        EXPECT_TRUE(IsDroppableScript(QString::fromUtf8(path))) << path;
    for (const char* path : {"/x/setup.exe", "/x/SETUP.NSI"})
        EXPECT_FALSE(IsDroppableScript(QString::fromUtf8(path))) << path;
}

// Captions and file names are seen through the frame; the folder's edges are not.
TEST(ShellRules, FolderPartAtTheRootAndOfNothing) {
    EXPECT_EQ(FolderPart(QStringLiteral("/b.nsi")), QStringLiteral("/"));
    EXPECT_EQ(FolderPart(QString()), QString());
}

TEST(ShellRules, StoredOpenFilesRoundTrip) {
    const auto entries = ParseOpenFiles(
        {QStringLiteral("0/a.nsi"), QString(), QStringLiteral("1#StartPage#"), QStringLiteral("0#startpage#")});
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries[0].active);
    EXPECT_EQ(entries[0].path, QStringLiteral("/a.nsi"));
    EXPECT_TRUE(entries[1].active);
    EXPECT_TRUE(entries[1].startPage);
    EXPECT_FALSE(entries[2].startPage);  // the marker is case-sensitive
    EXPECT_EQ(FormatOpenFile(entries[1]), QStringLiteral("1#StartPage#"));
    EXPECT_EQ(FormatOpenFile(entries[0]), QStringLiteral("0/a.nsi"));
}

TEST(RecentFiles, StartPageIdsMapToCommands) {
    const std::pair<const char*, int> ids[] = {{"CMD_ID_NEW", Cmd::NewBlank},
                                               {"cmd_id_new_wizard", Cmd::NewWizard},
                                               {"CMD_ID_NEW_TPL", Cmd::NewTemplate},
                                               {"CMD_ID_OPEN", Cmd::Open},
                                               {"cmd_id_rf_7", ID_RECENT_FILE_FIRST + 7},
                                               {"CMD_ID_RF_x", 0},
                                               {"CMD_ID_RF_99999", 0},
                                               {"CMD_ID_OPENX", 0}};
    for (const auto& [id, command] : ids)
        EXPECT_EQ(StartPageCommand(QString::fromLatin1(id)), command) << id;
    EXPECT_EQ(StartPageLinkCommand(QStringLiteral("qrc:/startpage/?rf=2")), ID_RECENT_FILE_FIRST + 2);
    EXPECT_EQ(StartPageLinkCommand(QStringLiteral("qrc:/startpage/CMD_ID_OPEN")), Cmd::Open);
}

TEST(RecentFiles, PageListNewestFirstWithStoredIndices) {
    const QString html = RecentListHtml({QStringLiteral("/old/a.nsi"), QStringLiteral("/new/<b>.nsi")});
    EXPECT_EQ(html,
              QStringLiteral(
                  "<ol><li><a id=\"CMD_ID_RF_1\" href=\"?rf=1\" title=\"/new/&lt;b&gt;.nsi\">&lt;b&gt;.nsi</a></li>"
                  "<li><a id=\"CMD_ID_RF_0\" href=\"?rf=0\" title=\"/old/a.nsi\">a.nsi</a></li></ol>"));
    EXPECT_EQ(RecentListHtml({}), QStringLiteral("<ol></ol>"));
}

TEST(RecentFiles, StatusTextsOfLinks) {
    const QStringList recent{QStringLiteral("/a.nsi"), QStringLiteral("/b.nsi")};
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/CMD_ID_OPEN"), recent),
              QStringLiteral("打开已存在的脚本"));
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/CMD_ID_RF_1"), recent), QStringLiteral("/b.nsi"));
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/CMD_ID_RF_5"), recent), QString());
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/?rf=0"), recent), QStringLiteral("打开文件：/a.nsi"));
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/other"), recent), QString());
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("http://example.org/x?rf=9"), recent),
              QStringLiteral("http://example.org/x?rf=9"));
}

TEST(CommandTable, TooltipPutsTheKeyInParenthesesAndDropsAccessKeys) {
    EXPECT_EQ(ToolbarTooltip(Cmd::Save), QStringLiteral("保存(S)  (Ctrl+S)"));
    EXPECT_EQ(ToolbarTooltip(Cmd::SaveAll), QStringLiteral("全部保存"));
    EXPECT_EQ(ToolbarTooltip(Cmd::StopCompile), QStringLiteral("停止编译(S)  (Esc)"));
    EXPECT_EQ(ToolbarTooltip(Cmd::About), QStringLiteral("关于Korvane安装(A)..."));
}

TEST(CommandTable, CommentItemsShowTheSharedKeyButDoNotOwnIt) {
    EXPECT_EQ(MenuTextWithKey(Cmd::Comment), QStringLiteral("注释文本(&B)\tCtrl+;"));
    EXPECT_TRUE(FindCommand(Cmd::Comment)->keys.isEmpty());
    EXPECT_EQ(FindCommand(Cmd::CommentKey)->keys, QStringList{QStringLiteral("Ctrl+;")});
}

TEST(CommandTable, EveryMenuAndToolbarIdIsInTheTableOnce) {
    std::set<int> ids;
    for (const CommandInfo& info : CommandTable())
        EXPECT_TRUE(ids.insert(info.id).second) << info.id;
    std::function<void(const std::vector<MenuNode>&)> walk = [&](const std::vector<MenuNode>& nodes) {
        for (const MenuNode& node : nodes) {
            if (node.id) {
                EXPECT_TRUE(ids.count(node.id)) << node.id;
            }
            walk(node.children);
        }
    };
    walk(MainMenuLayout());
    walk(TabMenuLayout());
    int buttons = 0;
    for (int id : ToolbarLayout()) {
        if (id) {
            ++buttons;
            EXPECT_TRUE(ids.count(id)) << id;
        }
    }
    EXPECT_EQ(buttons, 18);
    ASSERT_EQ(MainMenuLayout().size(), 7u);
    const MenuNode& recent = MainMenuLayout()[0].children[kRecentSubmenuIndex];
    EXPECT_EQ(recent.text, QStringLiteral("最近打开"));
    EXPECT_EQ(recent.children.front().id, Cmd::ClearRecent);
}
