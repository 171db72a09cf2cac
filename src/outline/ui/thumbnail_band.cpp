// CViewZoneDlg: the veil over the thumbnail with the band of the lines the editor shows.
#include "outline/ui/thumbnail_band.h"

#include "editor/ui/scrivo_view.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

namespace {

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
    if (editor->Call().DocPointer() != m_thumbnail->Call().DocPointer())
        return nullptr;
    return editor;
}

void CViewZoneDlg::UpdateZone() {
    CScrivoView* editor = FollowedEditor();
    if (!editor)
        return;
    ScintillaCall& shown = editor->Call();
    ScintillaCall& thumb = m_thumbnail->Call();
    ViewZoneMetrics metrics;
    const long first = shown.FirstVisibleLine();
    metrics.editorLinesOnScreen = shown.LinesOnScreen();
    metrics.editorFirstDocLine = shown.DocLineFromVisible(first);
    metrics.editorLastDocLine = shown.DocLineFromVisible(first + metrics.editorLinesOnScreen);
    const long thumbLast = thumb.FirstVisibleLine() + thumb.LinesOnScreen();
    metrics.thumbLastDocLine = shown.DocLineFromVisible(thumbLast);

    thumb.GotoLine(ViewZoneAnchorLine(metrics));

    const long topLeft = shown.PositionFromPoint(0, 0);
    metrics.thumbTopY = thumb.PointYFromPosition(topLeft);
    metrics.thumbLineHeight = thumb.TextHeight(0);
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
        ScrollEditor(editor, ViewZoneDragLines(y, m_band, m_thumbnail->Call().TextHeight(0)));
}

void CViewZoneDlg::wheelEvent(QWheelEvent* event) {
    // The editor scrolls itself as it does under the mouse; its repaint moves the band.
    if (CScrivoView* editor = FollowedEditor())
        QCoreApplication::sendEvent(editor->Call().Widget()->viewport(), event);
    event->accept();
}

void CViewZoneDlg::keyPressEvent(QKeyEvent* event) {
    // Other keys are swallowed: the thumbnail never takes typing.
    if (CScrivoView* editor = FollowedEditor()) {
        const int lines = ViewZoneKeyLines(event->key(), editor->Call().LinesOnScreen());
        if (lines != 0)
            ScrollEditor(editor, lines);
    }
    event->accept();
}

void CViewZoneDlg::ScrollEditor(CScrivoView* editor, int lines) {
    if (lines != 0)
        editor->Call().LineScroll(0, lines);
    UpdateZone();
}
