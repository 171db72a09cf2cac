// CCodePaneView: the thumbnail, a zoomed-out read-along view of the active script's document.
#pragma once

#include "outline/ui/thumbnail_band.h"

#include <QMetaObject>
#include <QWidget>

class CNsisTextView;
class Configurator;
class ScintillaCall;

class CCodePaneView : public QWidget {
    Q_OBJECT
public:
    CCodePaneView(const Configurator& config, ActiveEditor activeEditor, QWidget* parent);
    ~CCodePaneView() override;

    CNsisTextView* TextView() const { return m_text; }
    ScintillaCall& Call() const;

    // Shows the active editor's document, or a fresh empty one without a
    // script, and follows that editor's paints with the band.
    void Attach();
    CViewZoneDlg* Zone() const { return m_zone; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowDocument(void* document);

    ActiveEditor m_activeEditor;
    CNsisTextView* m_text;
    CViewZoneDlg* m_zone;
    QMetaObject::Connection m_painted;
};
