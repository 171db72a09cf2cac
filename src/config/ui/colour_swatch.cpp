// CColourSwatch: a clickable field that shows one colour with a sunken frame of its own drawing.
#include "config/ui/colour_swatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr QColor kLightEdge(0xE6, 0xE6, 0xE6);
constexpr QColor kDarkEdge(0x64, 0x64, 0x64);
}  // namespace

QColor SwatchColour(int colour) {
    if (colour < 0)
        return Qt::white;
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

CColourSwatch::CColourSwatch(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CColourSwatch::SetColour(int colour) {
    m_colour = colour;
    update();
}

QSize CColourSwatch::sizeHint() const {
    const int height = fontMetrics().height() + 6;
    return {height * 2, height};
}

void CColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, SwatchColour(m_colour));
    p.setPen(kLightEdge);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(kDarkEdge);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void CColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT Clicked();
}
