// CCodePaneView: the thumbnail, a zoomed-out read-along view of the active script's document.
#pragma once

#include "editor/ui/scrivo_view.h"
#include "outline/ui/view_zone_dlg.h"

#include <QMetaObject>

class CCodePaneView : public CScrivoView {
    Q_OBJECT
public:
    CCodePaneView(const Configurator& config, Prompter& prompter, ActiveEditor activeEditor, QWidget* parent);
    ~CCodePaneView() override;

    // Shows the active editor's document, or a fresh empty one without a
    // script, and follows that editor's paints with the band.
    void Attach();
    CViewZoneDlg* Zone() const { return m_zone; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowDocument(void* document);

    ActiveEditor m_activeEditor;
    CViewZoneDlg* m_zone;
    QMetaObject::Connection m_painted;
};
