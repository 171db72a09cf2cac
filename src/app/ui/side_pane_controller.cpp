// SidePaneController: the frame's side pane, the outline tree or the thumbnail kept on the active script.
#include "app/ui/side_pane_controller.h"

#include "app/ui/document_set.h"
#include "app/ui/pane_container.h"
#include "outline/ui/thumbnail_view.h"
#include "outline/ui/code_tree_ctrl.h"

SidePaneController::SidePaneController(const Configurator& config, DocumentSet& documents, CPaneContainer& pane,
                                       QObject* parent)
    : QObject(parent), m_documents(documents), m_pane(pane) {
    // Both ask for the active view at the moment they need it, so a closed
    // tab is never reached through them.
    auto activeView = [&documents] { return documents.ActiveView(); };
    m_tree = new CCodeTreeCtrl(
        [activeView]() -> std::optional<QByteArray> {
            if (CScrivoView* view = activeView())
                return view->Text();
            return std::nullopt;
        },
        &pane);
    m_thumbnail = new CCodePaneView(config, activeView, &pane);
    pane.AddContent(m_tree);
    pane.AddContent(m_thumbnail);

    connect(m_tree, &CCodeTreeCtrl::LineActivated, this, [this](int line) {
        if (CScrivoView* view = m_documents.ActiveView())
            view->ScrollToLine(line);
    });
    connect(&documents, &DocumentSet::ActiveChanged, this, &SidePaneController::OnActiveViewChanged);
    connect(&documents, &DocumentSet::TextSettled, this, &SidePaneController::OnTextSettled);
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
