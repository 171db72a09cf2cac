// SidePaneController: the frame's side pane, the outline tree or the thumbnail kept on the active script.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class CCodePaneView;
class CCodeTreeCtrl;
class CPaneContainer;
class CScrivoView;
class Configurator;

class SidePaneController : public QObject {
    Q_OBJECT
public:
    // The active document's view, asked for at the moment it is needed; null for none.
    using ActiveView = std::function<CScrivoView*()>;

    // Creates both views inside the side pane.
    SidePaneController(const Configurator& config, ActiveView activeView, CPaneContainer& pane, QObject* parent);

    // Puts the outline or the thumbnail in front; the frame shows or hides the pane.
    void Show(bool outline, bool thumbnail);

    CCodeTreeCtrl* Tree() const;
    CCodePaneView* Thumbnail() const;

    void OnActiveViewChanged();
    // The active document's text has rested after an edit.
    void OnTextSettled();

private:
    ActiveView m_activeView;
    CPaneContainer& m_pane;
    QPointer<CCodeTreeCtrl> m_tree;
    QPointer<CCodePaneView> m_thumbnail;
};
