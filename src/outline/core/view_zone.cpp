// View zone geometry: where the thumbnail's band lies and how input over it scrolls the editor.
#include "outline/core/view_zone.h"

#include <Qt>

int ViewZoneAnchorLine(const ViewZoneMetrics& metrics) {
    return metrics.thumbLastDocLine < metrics.editorLastDocLine ? metrics.editorLastDocLine
                                                                : metrics.editorFirstDocLine;
}

ViewZoneBand ViewZoneBandOf(const ViewZoneMetrics& metrics) {
    return {metrics.thumbTopY, metrics.thumbTopY + metrics.thumbLineHeight * metrics.editorLinesOnScreen};
}

int ViewZoneDragLines(int y, ViewZoneBand band, int thumbLineHeight) {
    if (thumbLineHeight <= 0)
        return 0;
    return (y - (band.top + (band.bottom - band.top) / 2)) / thumbLineHeight;
}

int ViewZoneKeyLines(int key, int editorLinesOnScreen) {
    switch (key) {
    case Qt::Key_Up: return -1;
    case Qt::Key_Down: return 1;
    case Qt::Key_PageUp: return -editorLinesOnScreen;
    case Qt::Key_PageDown: return editorLinesOnScreen;
    default: return 0;
    }
}
