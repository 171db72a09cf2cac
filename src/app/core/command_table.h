// The command table (id, menu text, keys, prompt) and the menu and tool bar layouts built from it.
#pragma once

#include "app/core/command_ids.h"

#include <QString>
#include <QStringList>
#include <vector>

struct CommandInfo {
    int id = 0;
    QString menuText;  // with its access key; no key text
    QStringList keys;  // portable key names, first one shown in the menu
    QString prompt;    // status bar text while the item is highlighted
};

const std::vector<CommandInfo>& CommandTable();
const CommandInfo* FindCommand(int id);

// The menu text as the menu shows it: the first key after a tab.
QString MenuTextWithKey(int id);
// "保存(&S)\tCtrl+S" becomes "保存(S)  (Ctrl+S)", cut to the tooltip's 80 characters.
QString ToolbarTooltip(int id);
// The prompt up to its first line break.
QString StatusPrompt(int id);

// A menu entry: a command (id > 0), a separator (id 0, no text) or a submenu (children).
struct MenuNode {
    int id = 0;
    QString text;  // submenu title, or a text that overrides the command's menu text
    std::vector<MenuNode> children;
    bool IsSeparator() const { return id == 0 && text.isEmpty(); }
    bool IsSubmenu() const { return id == 0 && !text.isEmpty(); }
};

// Menu 128: the seven menus of the menu bar.
const std::vector<MenuNode>& MainMenuLayout();
// Menu 209: the tab menu.
const std::vector<MenuNode>& TabMenuLayout();
// Tool bar buttons in order; 0 is a separator.
const std::vector<int>& ToolbarLayout();

inline constexpr int kRecentSubmenuIndex = 6;  // seventh item of the File menu
