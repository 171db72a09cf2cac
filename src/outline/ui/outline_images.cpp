// The six 16 × 16 outline images: section, group, function, macro, conditional, page.
#include "outline/ui/outline_images.h"

#include <QPainter>

namespace {

constexpr int kSize = 16;

void DrawSection(QPainter& p) {
    // A sheet with a folded corner and text lines.
    const QPointF sheet[] = {{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}};
    p.setPen(QColor(0x2B, 0x57, 0x9A));
    p.setBrush(QColor(0xE8, 0xF0, 0xFC));
    p.drawPolygon(sheet, 5);
    const QPointF fold[] = {{10.5, 1.5}, {10.5, 4.5}, {13.5, 4.5}};
    p.drawPolyline(fold, 3);
    for (int y = 7; y <= 12; y += 2)
        p.drawLine(5, y, 11, y);
}

void DrawGroup(QPainter& p) {
    // A folder.
    const QPointF folder[] = {{1.5, 3.5}, {6.5, 3.5}, {8.5, 5.5}, {14.5, 5.5}, {14.5, 13.5}, {1.5, 13.5}};
    p.setPen(QColor(0xA0, 0x74, 0x10));
    p.setBrush(QColor(0xF6, 0xD3, 0x65));
    p.drawPolygon(folder, 6);
    p.drawLine(QPointF(1.5, 7.5), QPointF(14.5, 7.5));
}

void DrawLetterBox(QPainter& p, QColor edge, QColor fill, const QString& letter, bool diamond) {
    p.setPen(edge);
    p.setBrush(fill);
    if (diamond) {
        const QPointF points[] = {{8, 0.5}, {15.5, 8}, {8, 15.5}, {0.5, 8}};
        p.drawPolygon(points, 4);
    } else {
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    }
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, letter);
}

void DrawPage(QPainter& p) {
    // A small dialog window with a title bar.
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(QColor(0x3A, 0x7B, 0xD5));
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    p.setBrush(QColor(0xD0, 0xD0, 0xD0));
    p.drawRect(QRectF(9.5, 10.5, 4, 2));
}

}  // namespace

QPixmap OutlineImageStrip() {
    QPixmap strip(kSize * kOutlineImageCount, kSize);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    DrawSection(p);
    p.translate(kSize, 0);
    DrawGroup(p);
    p.translate(kSize, 0);
    DrawLetterBox(p, QColor(0x5B, 0x2C, 0x8F), QColor(0x8E, 0x58, 0xC8), QStringLiteral("f"), false);
    p.translate(kSize, 0);
    DrawLetterBox(p, QColor(0x1E, 0x6B, 0x2E), QColor(0x3C, 0xA0, 0x50), QStringLiteral("M"), false);
    p.translate(kSize, 0);
    DrawLetterBox(p, QColor(0xB0, 0x5A, 0x00), QColor(0xF0, 0x8C, 0x20), QStringLiteral("?"), true);
    p.translate(kSize, 0);
    DrawPage(p);
    return strip;
}

std::array<QIcon, kOutlineImageCount> OutlineImages() {
    const QPixmap strip = OutlineImageStrip();
    std::array<QIcon, kOutlineImageCount> images;
    for (int i = 0; i < kOutlineImageCount; ++i)
        images[std::size_t(i)] = QIcon(strip.copy(i * kSize, 0, kSize, kSize));
    return images;
}
