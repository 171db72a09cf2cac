// CommandActions: one QAction per command id, and the menu bar, tool bar and tab menu built from the table.
#include "app/ui/command_actions.h"

#include "app/core/command_table.h"
#include "app/core/recent_files.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>

namespace {

bool IsCheckable(int id) {
    return id == Cmd::ToggleToolbar || id == Cmd::ToggleStatusBar || id == Cmd::ToggleLog || id == Cmd::ToggleOutline
        || id == Cmd::ToggleThumbnail || (id >= Cmd::CompressorFirst && id <= Cmd::CompressorLast)
        || id == Cmd::EncodingAnsi || (id >= Cmd::EncodingUtf8NoBom && id <= Cmd::EncodingUcs2Le);
}

QIcon ToolIcon(int id) {
    QStyle* style = QApplication::style();
    switch (id) {
    case Cmd::NewWizard: return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case Cmd::NewTemplate: return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case Cmd::NewBlank: return style->standardIcon(QStyle::SP_FileIcon);
    case Cmd::Open: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case Cmd::Save: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case Cmd::SaveAll: return style->standardIcon(QStyle::SP_DriveFDIcon);
    case Cmd::Undo: return style->standardIcon(QStyle::SP_ArrowBack);
    case Cmd::Redo: return style->standardIcon(QStyle::SP_ArrowForward);
    case Cmd::Cut: return style->standardIcon(QStyle::SP_TrashIcon);
    case Cmd::Copy: return style->standardIcon(QStyle::SP_FileDialogNewFolder);
    case Cmd::Paste: return style->standardIcon(QStyle::SP_FileDialogToParent);
    case Cmd::Compile: return style->standardIcon(QStyle::SP_MediaPlay);
    case Cmd::CompileRun: return style->standardIcon(QStyle::SP_MediaSeekForward);
    case Cmd::StopCompile: return style->standardIcon(QStyle::SP_MediaStop);
    case Cmd::RunInstaller: return style->standardIcon(QStyle::SP_ComputerIcon);
    case Cmd::ViewStatistics: return style->standardIcon(QStyle::SP_FileDialogInfoView);
    case Cmd::InsertStatistics: return style->standardIcon(QStyle::SP_FileLinkIcon);
    case Cmd::About: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    default: return {};
    }
}

}  // namespace

CommandActions::CommandActions(QWidget* window) : QObject(window), m_window(window) {
    for (const CommandInfo& info : CommandTable()) {
        // The menu shows the key as text only: a key bound to the action would
        // die with it whenever the item is disabled.
        MakeAction(info.id, MenuTextWithKey(info.id));
        BindKeys(info.id, info.keys);
    }
    auto* compressors = new QActionGroup(this);
    for (int id = Cmd::CompressorFirst; id <= Cmd::CompressorLast; ++id)
        compressors->addAction(Action(id));
    auto* encodings = new QActionGroup(this);
    for (int id :
         {Cmd::EncodingAnsi, Cmd::EncodingUtf8NoBom, Cmd::EncodingUtf8, Cmd::EncodingUcs2Be, Cmd::EncodingUcs2Le})
        encodings->addAction(Action(id));
    encodings->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    m_tabMenu = new QMenu(window);
    AddNodes(m_tabMenu, TabMenuLayout(), true);
}

void CommandActions::BindKeys(int id, const QStringList& keys) {
    // Keys reach the frame whatever the item's state; the handler decides
    // whether there is anything to do.
    for (const QString& key : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key, QKeySequence::PortableText), m_window);
        connect(shortcut, &QShortcut::activated, this, [this, id] { Q_EMIT Triggered(id); });
    }
}

QAction* CommandActions::MakeAction(int id, const QString& text) {
    auto* action = new QAction(text, this);
    action->setStatusTip(StatusPrompt(id));
    action->setCheckable(IsCheckable(id));
    connect(action, &QAction::triggered, this, [this, id] { Q_EMIT Triggered(id); });
    m_actions.emplace(id, action);
    return action;
}

QAction* CommandActions::Action(int id) const {
    // The menu bar's action was made first; the tab menu's copies follow it.
    const auto it = m_actions.lower_bound(id);
    if (it == m_actions.end() || it->first != id)
        return nullptr;
    return it->second;
}

void CommandActions::AddNodes(QMenu* menu, const std::vector<MenuNode>& nodes, bool tabMenu) {
    for (const MenuNode& node : nodes) {
        if (node.IsSeparator()) {
            menu->addSeparator();
        } else if (node.IsSubmenu()) {
            QMenu* sub = menu->addMenu(node.text);
            AddNodes(sub, node.children, tabMenu);
            if (node.children.size() == 2 && node.children.front().id == Cmd::ClearRecent)
                m_recentMenu = sub;
        } else if (tabMenu) {
            // The tab menu has its own texts but the same commands.
            QAction* action = node.text.isEmpty() ? Action(node.id) : MakeAction(node.id, node.text);
            menu->addAction(action);
        } else {
            menu->addAction(Action(node.id));
        }
    }
}

void CommandActions::BuildMenuBar(QMenuBar* bar) {
    for (const MenuNode& top : MainMenuLayout()) {
        QMenu* menu = bar->addMenu(top.text);
        AddNodes(menu, top.children, false);
        if (top.children.front().id == Cmd::Undo)
            m_editMenu = menu;
    }
}

void CommandActions::BuildToolBar(QToolBar* bar) {
    bar->setIconSize(QSize(16, 16));
    for (int id : ToolbarLayout()) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        action->setIcon(ToolIcon(id));
        action->setToolTip(ToolbarTooltip(id));
        bar->addAction(action);
    }
}

void CommandActions::SetEnabled(int id, bool enabled) {
    for (auto [it, end] = m_actions.equal_range(id); it != end; ++it)
        it->second->setEnabled(enabled);
}

void CommandActions::SetChecked(int id, bool checked) {
    for (auto [it, end] = m_actions.equal_range(id); it != end; ++it)
        it->second->setChecked(checked);
}

void CommandActions::SetText(int id, const QString& text) {
    // The tab menu keeps its own texts.
    if (QAction* action = Action(id))
        action->setText(text);
}

void CommandActions::RebuildRecentMenu(const QStringList& recent) {
    if (!m_recentMenu)
        return;
    const QList<QAction*> items = m_recentMenu->actions();
    for (qsizetype i = 2; i < items.size(); ++i) {
        m_recentMenu->removeAction(items[i]);
        items[i]->deleteLater();
    }
    const int n = int(recent.size());
    // Newest first, numbered from 1.
    for (int i = n - 1; i >= 0; --i) {
        auto* action = new QAction(RecentMenuText(i, n, recent[i]), m_recentMenu);
        const int id = ID_RECENT_FILE_FIRST + i;
        connect(action, &QAction::triggered, this, [this, id] { Q_EMIT Triggered(id); });
        m_recentMenu->addAction(action);
    }
}
