// SidePaneController: the frame's side pane, the outline tree or the thumbnail kept on the active script.
#include "outline/ui/side_pane_controller.h"

#include "editor/ui/scrivo_view.h"
#include "outline/ui/active_text_pieces.h"
#include "outline/ui/code_tree_ctrl.h"
#include "outline/ui/pane_container.h"
#include "outline/ui/thumbnail_view.h"

SidePaneController::SidePaneController(const Configurator& config, ActiveView activeView, CPaneContainer& pane,
                                       QObject* parent)
    : QObject(parent), m_activeView(std::move(activeView)), m_pane(pane) {
    // Both ask for the active view at the moment they need it, so a closed
    // tab is never reached through them.
    m_tree = new CCodeTreeCtrl(ActiveTextPieces(m_activeView), &pane);
    m_thumbnail = new CCodePaneView(config, m_activeView, &pane);
    pane.AddContent(m_tree);
    pane.AddContent(m_thumbnail);

    connect(m_tree, &CCodeTreeCtrl::LineActivated, this, [this](int line) {
        if (CScrivoView* view = m_activeView())
            view->ScrollToLine(line);
    });
}

CCodeTreeCtrl* SidePaneController::Tree() const { return m_tree; }

CCodePaneView* SidePaneController::Thumbnail() const { return m_thumbnail; }

void SidePaneController::Show(bool outline, bool thumbnail) {
    if (outline && m_tree) {
        m_pane.ShowContent(m_tree);
    } else if (thumbnail && m_thumbnail) {
        m_pane.ShowContent(m_thumbnail);
        m_thumbnail->Attach();
    }
}

void SidePaneController::OnActiveViewChanged() {
    if (m_tree)
        m_tree->Wake();
    if (m_thumbnail)
        m_thumbnail->Attach();
}

void SidePaneController::OnTextSettled() {
    if (m_tree)
        m_tree->Wake();
}
