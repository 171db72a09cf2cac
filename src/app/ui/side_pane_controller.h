// SidePaneController: the frame's side pane, the outline tree or the thumbnail kept on the active script.
#pragma once

#include <QObject>
#include <QPointer>

class CCodePaneView;
class CCodeTreeCtrl;
class CPaneContainer;
class Configurator;
class DocumentSet;

class SidePaneController : public QObject {
    Q_OBJECT
public:
    // Creates both views inside the side pane and follows the active
    // document and its settled edits.
    SidePaneController(const Configurator& config, DocumentSet& documents, CPaneContainer& pane, QObject* parent);

    // Puts the outline or the thumbnail in front; the frame shows or hides the pane.
    void Show(bool outline, bool thumbnail);

    CCodeTreeCtrl* Tree() const;
    CCodePaneView* Thumbnail() const;

private:
    void OnActiveViewChanged();
    void OnTextSettled();

    DocumentSet& m_documents;
    CPaneContainer& m_pane;
    QPointer<CCodeTreeCtrl> m_tree;
    QPointer<CCodePaneView> m_thumbnail;
};
