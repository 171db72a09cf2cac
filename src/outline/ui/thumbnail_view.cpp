// CCodePaneView: the thumbnail, a zoomed-out read-along view of the active script's document.
#include "outline/ui/thumbnail_view.h"

#include "editor/ui/nsis_text_view.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scrivo_view.h"

#include <QVBoxLayout>

namespace {

using Sci = QsciScintillaBase;

constexpr int kZoom = -10;
constexpr long kCaretLineBack = 0xFFE8E8;

}  // namespace

CCodePaneView::CCodePaneView(const Configurator& config, ActiveEditor activeEditor, QWidget* parent)
    : QWidget(parent),
      m_activeEditor(std::move(activeEditor)),
      m_text(new CNsisTextView(config, this)),
      m_zone(new CViewZoneDlg(m_activeEditor, m_text, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    Sci* editor = Editor();
    m_text->RemoveMargins();
    editor->SendScintilla(Sci::SCI_SETZOOM, kZoom);
    Send(Sci::SCI_SETVSCROLLBAR, 0);
    Send(Sci::SCI_SETHSCROLLBAR, 0);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Without a frame the overlay's pixels are the component's client pixels.
    editor->setFrameStyle(QFrame::NoFrame);
    Send(Sci::SCI_SETINDENTATIONGUIDES, Sci::SC_IV_LOOKBOTH);
    Send(Sci::SCI_SETCARETLINEVISIBLE, 1);
    Send(Sci::SCI_SETCARETLINEBACK, kCaretLineBack);
    // The thumbnail never has the focus, and its caret line marks an end of the band.
    Send(Sci::SCI_SETCARETLINEVISIBLEALWAYS, 1);

    editor->setFocusPolicy(Qt::NoFocus);
    editor->viewport()->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_zone);
    m_zone->raise();
}

CCodePaneView::~CCodePaneView() = default;

QsciScintillaBase* CCodePaneView::Editor() const { return m_text->Editor(); }

long CCodePaneView::Send(unsigned int message, long wParam, long lParam) const {
    return m_text->Send(message, wParam, lParam);
}

void CCodePaneView::Attach() {
    CScrivoView* editor = m_activeEditor ? m_activeEditor() : nullptr;
    disconnect(m_painted);
    if (editor) {
        m_painted = connect(editor->Editor(), &Sci::SCN_PAINTED, m_zone, [this] {
            if (isVisible())
                m_zone->UpdateZone();
        });
    }
    ShowDocument(editor ? editor->Editor()->SendScintillaPtrResult(Sci::SCI_GETDOCPOINTER) : nullptr);
    m_zone->UpdateZone();
}

void CCodePaneView::ShowDocument(void* document) {
    // Setting the document already shown would release it before taking it
    // again, which frees it when this view holds the last reference.
    void* shown = Editor()->SendScintillaPtrResult(Sci::SCI_GETDOCPOINTER);
    if (document && document == shown)
        return;
    // The component counts its references: the document stays alive while
    // this view shows it, even after its editor is gone. Null gives a fresh
    // empty document.
    Editor()->SendScintilla(Sci::SCI_SETDOCPOINTER, 0, document);
}

void CCodePaneView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_zone->setGeometry(rect());
    m_zone->UpdateZone();
}
