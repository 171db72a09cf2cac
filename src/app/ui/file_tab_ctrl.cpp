// CFileTabCtrl: the tab strip above the documents, drawn with icons and close glyphs, reordered by dragging.
#include "app/ui/file_tab_ctrl.h"

#include "app/core/command_ids.h"
#include "platform/ui/app_icon.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

constexpr QColor kStripe(250, 170, 60);
constexpr QColor kInactiveFill(192, 192, 192);

// Icons 0..5: document, modified document and start page, each inactive then
// active. Glyphs 8..11: close, on an inactive tab, on the active tab, hot, pressed.
std::array<QPixmap, 12> DrawImages() {
    std::array<QPixmap, 12> images;
    for (int image = 0; image < 3; ++image) {
        for (int active = 0; active < 2; ++active) {
            QPixmap pixmap(16, 16);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            const QColor ink = active ? QColor(40, 40, 40) : QColor(100, 100, 100);
            if (image == 2) {  // start page: a house
                p.setPen(QPen(ink, 1));
                p.setBrush(active ? QColor(0, 165, 82) : QColor(120, 180, 140));
                p.drawPolygon(QPolygonF({{8, 1.5}, {14.5, 7.5}, {1.5, 7.5}}));
                p.drawRect(QRectF(3.5, 7.5, 9, 7));
                p.setBrush(Qt::white);
                p.drawRect(QRectF(6.5, 10.5, 3, 4));
            } else {  // the program's own script icon, faded when inactive; a red dot when modified
                p.setOpacity(active ? 1.0 : 0.7);
                p.drawPixmap(0, 0, AppIcon().pixmap(16, 16));
                if (image == 1) {
                    p.setOpacity(1.0);
                    p.setPen(QPen(Qt::white, 1));
                    p.setBrush(QColor(220, 50, 40));
                    p.drawEllipse(QPointF(4.5, 11.5), 3.5, 3.5);
                }
            }
            images[std::size_t(image * 2 + active)] = pixmap;
        }
    }
    const QColor glyphInk[] = {QColor(120, 120, 120), QColor(60, 60, 60), Qt::white, Qt::white};
    const QColor glyphFill[] = {Qt::transparent, Qt::transparent, QColor(230, 80, 60), QColor(160, 40, 30)};
    for (int state = 0; state < 4; ++state) {
        QPixmap pixmap(11, 11);
        pixmap.fill(glyphFill[state]);
        QPainter p(&pixmap);
        p.setPen(QPen(glyphInk[state], 1.6));
        p.setRenderHint(QPainter::Antialiasing);
        p.drawLine(QPointF(2.5, 2.5), QPointF(8.5, 8.5));
        p.drawLine(QPointF(8.5, 2.5), QPointF(2.5, 8.5));
        images[std::size_t(8 + state)] = pixmap;
    }
    return images;
}

}  // namespace

CFileTabCtrl::CFileTabCtrl(QWidget* parent) : QTabBar(parent), m_images(DrawImages()) {
    setDrawBase(false);
    setExpanding(false);
    setMouseTracking(true);
    setFixedHeight(kStripHeight);
    setFocusPolicy(Qt::NoFocus);
}

int CFileTabCtrl::AddTab(const QString& text, int image) {
    const int index = addTab(text);
    SetTab(index, text, image);
    return index;
}

void CFileTabCtrl::SetTab(int index, const QString& text, int image) {
    setTabText(index, text);
    setTabData(index, image);
    setTabToolTip(index, text);
    update();
}

int CFileTabCtrl::TabImage(int index) const { return tabData(index).toInt(); }

QRect CFileTabCtrl::GlyphRect(const QRect& tab) {
    return QRect(QPoint(tab.right() + 1 - 15, tab.top() + 7), QPoint(tab.right() + 1 - 4 - 1, tab.top() + 18 - 1));
}

QSize CFileTabCtrl::tabSizeHint(int index) const {
    return QSize(fontMetrics().horizontalAdvance(tabText(index)) + 18 + 8 + 20, kTabHeight);
}

void CFileTabCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    for (int i = 0; i < count(); ++i) {
        const QRect tab = tabRect(i);
        const bool active = i == currentIndex();
        p.fillRect(tab, palette().color(QPalette::Button));
        QRect contents = tab;
        if (active) {
            p.fillRect(QRect(tab.left(), tab.top(), tab.width(), 6), kStripe);
            contents.adjust(4, 3, -4, 3);
        } else {
            p.fillRect(tab.adjusted(1, 1, -1, 0), kInactiveFill);
            contents.translate(0, 1);
        }
        const int image = std::clamp(TabImage(i), 0, 2);
        p.drawPixmap(contents.left() + 2, contents.top() + 4, m_images[std::size_t(2 * image + (active ? 1 : 0))]);
        int glyph = active ? 9 : 8;
        if (i == m_pressedGlyph)
            glyph = 11;
        else if (i == m_hotGlyph)
            glyph = 10;
        const QRect glyphRect = GlyphRect(tab);
        p.drawPixmap(glyphRect.topLeft(), m_images[std::size_t(glyph)]);
        QRect text = contents.adjusted(18, 0, -16, 0);
        if (!active)
            text.adjust(0, 3, 0, 2);
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, tabText(i));
    }
}

int CFileTabCtrl::GlyphAt(const QPoint& pos) const {
    const int index = tabAt(pos);
    return index >= 0 && GlyphRect(tabRect(index)).contains(pos) ? index : -1;
}

void CFileTabCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (tabAt(pos) >= 0)
            setCurrentIndex(tabAt(pos));
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (const int glyph = GlyphAt(pos); glyph >= 0) {
        m_pressedGlyph = glyph;
        update();
        return;
    }
    QTabBar::mousePressEvent(event);
    m_pressOnTab = tabAt(pos) >= 0 && !(event->buttons() & Qt::RightButton);
    if (m_pressOnTab) {
        m_dragIndex = currentIndex();
        m_pressPos = pos;
    }
}

void CFileTabCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_dragging) {
        DragStep(pos);
        return;
    }
    if (m_pressOnTab && (event->buttons() & Qt::LeftButton)
        && (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        DragStep(pos);
        return;
    }
    const int hot = GlyphAt(pos);
    if (hot != m_hotGlyph) {
        m_hotGlyph = hot;
        update();
    }
}

void CFileTabCtrl::DragStep(const QPoint& pos) {
    const int target = tabAt(pos);
    if (target < 0 || target == m_dragIndex)
        return;
    const QRect rect = tabRect(target);
    // A neighbour swaps only once the mouse passes its middle, so the tab does not flicker back and forth.
    if (target == m_dragIndex - 1 && pos.x() >= rect.center().x())
        return;
    if (target == m_dragIndex + 1 && pos.x() <= rect.center().x())
        return;
    const int old = m_dragIndex;
    {
        const QSignalBlocker blocker(this);
        moveTab(old, target);
        setCurrentIndex(target);
    }
    m_dragIndex = target;
    update();
    Q_EMIT Swapped(target, old);
}

void CFileTabCtrl::EndDrag() {
    m_dragging = false;
    m_pressOnTab = false;
}

void CFileTabCtrl::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        const int index = tabAt(pos);
        if (index >= 0 && m_tabMenu) {
            QPoint at = event->globalPosition().toPoint();
            if (const QScreen* screen = QApplication::screenAt(at)) {
                const QRect bounds = screen->geometry();
                at.setX(std::clamp(at.x(), bounds.left(),
                                   std::max(bounds.left(), bounds.right() - m_tabMenu->sizeHint().width())));
            }
            m_tabMenu->popup(at);
        }
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (m_dragging) {
        EndDrag();
        return;
    }
    m_pressOnTab = false;
    const int pressed = m_pressedGlyph;
    if (pressed >= 0) {
        m_pressedGlyph = -1;
        update();
        if (pressed < count() && GlyphRect(tabRect(pressed)).contains(pos))
            Q_EMIT CloseRequested(pressed);
        return;
    }
    QTabBar::mouseReleaseEvent(event);
}

void CFileTabCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    Q_EMIT CommandPosted(tabAt(event->position().toPoint()) >= 0 ? Cmd::Close : Cmd::NewBlank);
}

void CFileTabCtrl::leaveEvent(QEvent* event) {
    if (m_hotGlyph >= 0) {
        m_hotGlyph = -1;
        update();
    }
    QTabBar::leaveEvent(event);
}
