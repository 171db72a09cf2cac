// CFileTabCtrl: the tab strip above the documents, drawn with icons and close glyphs, reordered by dragging.
#pragma once

#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QTabBar>
#include <array>

class CFileTabCtrl : public QTabBar {
    Q_OBJECT
public:
    static constexpr int kTabHeight = 21;
    static constexpr int kStripHeight = 23;

    explicit CFileTabCtrl(QWidget* parent);

    // Image 0: document, 1: modified document, 2: start page.
    int AddTab(const QString& text, int image);
    void SetTab(int index, const QString& text, int image);
    int TabImage(int index) const;
    // The menu shown on a right click over a tab; its actions reach the frame.
    void SetTabMenu(QMenu* menu) { m_tabMenu = menu; }

    // Close glyph of a tab, from the tab's rectangle.
    static QRect GlyphRect(const QRect& tabRect);

Q_SIGNALS:
    void CloseRequested(int index);
    void Swapped(int newIndex, int oldIndex);
    // Double clicks ask the frame for new (57600) or close (57602).
    void CommandPosted(int id);

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int GlyphAt(const QPoint& pos) const;
    void DragStep(const QPoint& pos);
    void EndDrag();

    std::array<QPixmap, 12> m_images;
    QPointer<QMenu> m_tabMenu;
    int m_hotGlyph = -1;
    int m_pressedGlyph = -1;
    bool m_dragging = false;
    int m_dragIndex = -1;
    QPoint m_pressPos;
    bool m_pressOnTab = false;
};
