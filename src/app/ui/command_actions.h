// CommandActions: one QAction per command id, and the menu bar, tool bar and tab menu built from the table.
#pragma once

#include <QObject>
#include <QStringList>
#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;
struct MenuNode;

class CommandActions : public QObject {
    Q_OBJECT
public:
    // Actions and keys are owned by window; keys are active in it.
    explicit CommandActions(QWidget* window);

    QAction* Action(int id) const;
    void BuildMenuBar(QMenuBar* bar);
    void BuildToolBar(QToolBar* bar);
    QMenu* TabMenu() const { return m_tabMenu; }
    QMenu* EditMenu() const { return m_editMenu; }
    QMenu* RecentMenu() const { return m_recentMenu; }

    // Every action of the same id (menu bar, tab menu) gets the same state.
    void SetEnabled(int id, bool enabled);
    void SetChecked(int id, bool checked);
    void SetText(int id, const QString& text);
    // Rebuilds the recent-files submenu from the list, oldest first.
    void RebuildRecentMenu(const QStringList& recent);

Q_SIGNALS:
    void Triggered(int id);

private:
    QAction* MakeAction(int id, const QString& text);
    void BindKeys(int id, const QStringList& keys);
    void AddNodes(QMenu* menu, const std::vector<MenuNode>& nodes, bool tabMenu);

    QWidget* m_window;
    std::multimap<int, QAction*> m_actions;
    QMenu* m_tabMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_recentMenu = nullptr;
};
