// The command table: tooltips, prompts and the menus built from it.
#include "app/core/command_table.h"

#include <gtest/gtest.h>
#include <set>

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
