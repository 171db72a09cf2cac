// SidePaneController: the frame's side pane, the outline tree or the thumbnail kept on the active script.
#include "app/ui/side_pane_controller.h"

#include "app/ui/main_frame.h"
#include "app/ui/pane_container.h"
#include "outline/ui/code_pane_view.h"
#include "outline/ui/code_tree_ctrl.h"

SidePaneController::SidePaneController(const Configurator& config, Prompter& prompter, CMainFrame& frame)
    : QObject(&frame), m_frame(frame) {
    CPaneContainer* pane = frame.CodePane();
    // Both ask the frame at the moment they need the active view, so a
    // closed tab is never reached through them.
    auto activeView = [&frame] { return frame.ActiveView(); };
    m_tree = new CCodeTreeCtrl(
        [activeView]() -> std::optional<QByteArray> {
            if (CScrivoView* view = activeView())
                return view->Text();
            return std::nullopt;
        },
        pane);
    m_thumbnail = new CCodePaneView(config, prompter, activeView, pane);
    pane->AddContent(m_tree);
    pane->AddContent(m_thumbnail);

    connect(m_tree, &CCodeTreeCtrl::LineActivated, this, [this](int line) {
        if (CScrivoView* view = m_frame.ActiveView())
            view->ScrollToLine(line);
    });
    connect(&frame, &CMainFrame::ActiveViewChanged, this, &SidePaneController::OnActiveViewChanged);
    connect(&frame, &CMainFrame::ActiveTextSettled, this, &SidePaneController::OnTextSettled);
}

CCodeTreeCtrl* SidePaneController::Tree() const { return m_tree; }

CCodePaneView* SidePaneController::Thumbnail() const { return m_thumbnail; }

void SidePaneController::Show(bool outline, bool thumbnail) {
    CPaneContainer* pane = m_frame.CodePane();
    if (outline && m_tree) {
        pane->ShowContent(m_tree);
    } else if (thumbnail && m_thumbnail) {
        pane->ShowContent(m_thumbnail);
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
