// CCodePaneView: the thumbnail, a zoomed-out read-along view of the active script's document.
#include "outline/ui/thumbnail_view.h"

#include "editor/ui/nsis_text_view.h"
#include "editor/ui/scrivo_view.h"

#include <QAbstractScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int kZoom = -10;
constexpr int kCaretLineBack = 0xFFE8E8;

}  // namespace

CCodePaneView::CCodePaneView(const Configurator& config, ActiveEditor activeEditor, QWidget* parent)
    : QWidget(parent),
      m_activeEditor(std::move(activeEditor)),
      m_text(new CNsisTextView(config, this)),
      m_zone(new CViewZoneDlg(m_activeEditor, m_text, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    ScintillaCall& call = Call();
    QAbstractScrollArea* editor = call.Widget();
    m_text->RemoveMargins();
    call.SetZoom(kZoom);
    call.SetVScrollBar(false);
    call.SetHScrollBar(false);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Without a frame the overlay's pixels are the component's client pixels.
    editor->setFrameStyle(QFrame::NoFrame);
    call.SetIndentationGuides(ScintillaCall::IndentView::LookBoth);
    call.SetCaretLineVisible(true);
    call.SetCaretLineBack(kCaretLineBack);
    // The thumbnail never has the focus, and its caret line marks an end of the band.
    call.SetCaretLineVisibleAlways(true);
    // The thumbnail shares the editor's document but needs no change notices:
    // with them on, the component's own accessibility counted every character
    // before each insertion, about 0.1 s per keystroke at the end of 20 MB.
    call.SetModEventMask(0);

    editor->setFocusPolicy(Qt::NoFocus);
    editor->viewport()->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_zone);
    m_zone->raise();
}

CCodePaneView::~CCodePaneView() = default;

ScintillaCall& CCodePaneView::Call() const { return m_text->Call(); }

void CCodePaneView::Attach() {
    CScrivoView* editor = m_activeEditor ? m_activeEditor() : nullptr;
    disconnect(m_painted);
    if (editor) {
        m_painted = connect(&editor->Call(), &ScintillaCall::Painted, m_zone, [this] {
            if (isVisible())
                m_zone->UpdateZone();
        });
    }
    ShowDocument(editor ? editor->Call().DocPointer() : nullptr);
    m_zone->UpdateZone();
}

void CCodePaneView::ShowDocument(void* document) {
    // Setting the document already shown would release it before taking it
    // again, which frees it when this view holds the last reference.
    void* shown = Call().DocPointer();
    if (document && document == shown)
        return;
    // The component counts its references: the document stays alive while
    // this view shows it, even after its editor is gone. Null gives a fresh
    // empty document.
    Call().SetDocPointer(document);
}

void CCodePaneView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_zone->setGeometry(rect());
    m_zone->UpdateZone();
}
