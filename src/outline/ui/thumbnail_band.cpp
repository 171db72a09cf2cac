// CViewZoneDlg: the veil over the thumbnail with the band of the lines the editor shows.
#include "outline/ui/thumbnail_band.h"

#include "editor/ui/qsci_base.h"
#include "editor/ui/scrivo_view.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

namespace {

using Sci = QsciScintillaBase;

constexpr double kVeilOpacity = 50.0 / 255.0;
constexpr unsigned kBandColour = 0x0080FF;  // red in the low byte: orange

QColor FromRedLow(unsigned colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

}  // namespace

CViewZoneDlg::CViewZoneDlg(ActiveEditor activeEditor, CNsisTextView* thumbnail, QWidget* parent)
    : QWidget(parent), m_activeEditor(std::move(activeEditor)), m_thumbnail(thumbnail) {
    setFocusPolicy(Qt::ClickFocus);
}

CScrivoView* CViewZoneDlg::FollowedEditor() const {
    CScrivoView* editor = m_activeEditor ? m_activeEditor() : nullptr;
    if (!editor)
        return nullptr;
    const Sci* shown = m_thumbnail->Editor();
    if (editor->Editor()->SendScintillaPtrResult(Sci::SCI_GETDOCPOINTER)
        != shown->SendScintillaPtrResult(Sci::SCI_GETDOCPOINTER))
        return nullptr;
    return editor;
}

void CViewZoneDlg::UpdateZone() {
    CScrivoView* editor = FollowedEditor();
    if (!editor)
        return;
    const CNsisTextView& thumb = *m_thumbnail;
    ViewZoneMetrics metrics;
    const long first = editor->Send(Sci::SCI_GETFIRSTVISIBLELINE);
    metrics.editorLinesOnScreen = int(editor->Send(Sci::SCI_LINESONSCREEN));
    metrics.editorFirstDocLine = int(editor->Send(Sci::SCI_DOCLINEFROMVISIBLE, (unsigned long)first));
    metrics.editorLastDocLine =
        int(editor->Send(Sci::SCI_DOCLINEFROMVISIBLE, (unsigned long)(first + metrics.editorLinesOnScreen)));
    const long thumbLast = thumb.Send(Sci::SCI_GETFIRSTVISIBLELINE) + thumb.Send(Sci::SCI_LINESONSCREEN);
    metrics.thumbLastDocLine = int(editor->Send(Sci::SCI_DOCLINEFROMVISIBLE, (unsigned long)thumbLast));

    thumb.Send(Sci::SCI_GOTOLINE, (unsigned long)ViewZoneAnchorLine(metrics));

    const long topLeft = editor->Send(Sci::SCI_POSITIONFROMPOINT, 0, 0);
    metrics.thumbTopY = int(thumb.Send(Sci::SCI_POINTYFROMPOSITION, 0, topLeft));
    metrics.thumbLineHeight = int(thumb.Send(Sci::SCI_TEXTHEIGHT, 0));
    // The editor paints at every caret blink; the veil covers the whole
    // thumbnail, so it is repainted only when the band moved.
    const ViewZoneBand band = ViewZoneBandOf(metrics);
    if (band == m_band)
        return;
    m_band = band;
    update();
}

void CViewZoneDlg::paintEvent(QPaintEvent*) {
    // Drawn translucent as a whole so the thumbnail's text shows through the
    // white veil and the band alike.
    QPainter painter(this);
    painter.setOpacity(kVeilOpacity);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(QRect(0, m_band.top, width(), m_band.bottom - m_band.top), FromRedLow(kBandColour));
}

void CViewZoneDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        DragTo(int(event->position().y()));
    event->accept();
}

void CViewZoneDlg::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        DragTo(int(event->position().y()));
    event->accept();
}

void CViewZoneDlg::DragTo(int y) {
    if (CScrivoView* editor = FollowedEditor())
        ScrollEditor(editor, ViewZoneDragLines(y, m_band, int(m_thumbnail->Send(Sci::SCI_TEXTHEIGHT, 0))));
}

void CViewZoneDlg::wheelEvent(QWheelEvent* event) {
    // The editor scrolls itself as it does under the mouse; its repaint moves the band.
    if (CScrivoView* editor = FollowedEditor())
        QCoreApplication::sendEvent(editor->Editor()->viewport(), event);
    event->accept();
}

void CViewZoneDlg::keyPressEvent(QKeyEvent* event) {
    // Other keys are swallowed: the thumbnail never takes typing.
    if (CScrivoView* editor = FollowedEditor()) {
        const int lines = ViewZoneKeyLines(event->key(), int(editor->Send(Sci::SCI_LINESONSCREEN)));
        if (lines != 0)
            ScrollEditor(editor, lines);
    }
    event->accept();
}

void CViewZoneDlg::ScrollEditor(CScrivoView* editor, int lines) {
    if (lines != 0)
        editor->Send(Sci::SCI_LINESCROLL, 0, lines);
    UpdateZone();
}
