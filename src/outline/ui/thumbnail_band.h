// CViewZoneDlg: the veil over the thumbnail with the band of the lines the editor shows.
#pragma once

#include "outline/core/view_zone.h"

#include <QWidget>
#include <functional>

class CNsisTextView;
class CScrivoView;

// The script view the band follows; null while no script is active.
using ActiveEditor = std::function<CScrivoView*()>;

class CViewZoneDlg : public QWidget {
    Q_OBJECT
public:
    // thumbnail is the view the band is measured in; the veil lies over it inside parent.
    CViewZoneDlg(ActiveEditor activeEditor, CNsisTextView* thumbnail, QWidget* parent);

    // Moves the thumbnail so the editor's range stays inside it, then
    // recomputes the band. Nothing happens unless the thumbnail shows the
    // active editor's document.
    void UpdateZone();
    ViewZoneBand Band() const { return m_band; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The active editor, when the thumbnail shows its document.
    CScrivoView* FollowedEditor() const;
    void DragTo(int y);
    void ScrollEditor(CScrivoView* editor, int lines);

    ActiveEditor m_activeEditor;
    CNsisTextView* m_thumbnail;
    ViewZoneBand m_band;
};
