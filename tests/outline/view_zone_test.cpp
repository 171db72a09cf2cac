// The thumbnail band: where it stands and how clicks, drags and keys over it scroll the editor.
#include "outline/core/view_zone.h"

#include <Qt>
#include <gtest/gtest.h>

TEST(ViewZone, ThumbnailFollowsTheEditorsEndThatLeftIt) {
    ViewZoneMetrics metrics;
    metrics.editorFirstDocLine = 100;
    metrics.editorLastDocLine = 140;
    metrics.thumbLastDocLine = 139;  // the editor's last line lies below the thumbnail's
    EXPECT_EQ(ViewZoneAnchorLine(metrics), 140);
    metrics.thumbLastDocLine = 140;
    EXPECT_EQ(ViewZoneAnchorLine(metrics), 100);

    metrics.thumbTopY = 30;
    metrics.thumbLineHeight = 3;
    metrics.editorLinesOnScreen = 40;
    EXPECT_EQ(ViewZoneBandOf(metrics), (ViewZoneBand{30, 150}));
}

TEST(ViewZone, ClickAndDragMoveTheBandsMiddleToTheMouse) {
    const ViewZoneBand band{30, 150};  // middle at 90
    const int lineHeight = 3;
    EXPECT_EQ(ViewZoneDragLines(90, band, lineHeight), 0);
    EXPECT_EQ(ViewZoneDragLines(93, band, lineHeight), 1);
    // Truncated towards zero on both sides.
    EXPECT_EQ(ViewZoneDragLines(88, band, lineHeight), 0);
    EXPECT_EQ(ViewZoneDragLines(87, band, lineHeight), -1);
    EXPECT_EQ(ViewZoneDragLines(0, band, lineHeight), -30);
    EXPECT_EQ(ViewZoneDragLines(91, ViewZoneBand{30, 151}, lineHeight), 0);  // odd band: middle 90
    // A thumbnail not laid out yet has no line height: nothing scrolls.
    EXPECT_EQ(ViewZoneDragLines(500, band, 0), 0);
}

TEST(ViewZone, KeysScrollByALineOrAScreenAndOthersNot) {
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_Up, 37), -1);
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_PageDown, 37), 37);
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_PageUp, 37), -37);
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_Home, 37), 0);
}
