// View zone geometry: where the thumbnail's band lies and how input over it scrolls the editor.
#pragma once

// The band over the thumbnail, in the overlay's client pixels.
struct ViewZoneBand {
    int top = 0;
    int bottom = 0;
    bool operator==(const ViewZoneBand&) const = default;
};

// What the editor (E) and the thumbnail (T) report for one update of the band.
struct ViewZoneMetrics {
    int editorFirstDocLine = 0;  // document line of E's first visible line
    int editorLastDocLine = 0;   // document line of E's first visible line + lines on screen
    int editorLinesOnScreen = 0;
    int thumbLastDocLine = 0;  // document line of T's first visible line + its lines on screen
    int thumbTopY = 0;         // y in T of the position at E's top left corner
    int thumbLineHeight = 0;
};

// The line T goes to so that the band stays inside it: E's last line when it
// lies below T's last, else E's first.
int ViewZoneAnchorLine(const ViewZoneMetrics& metrics);

// The band once T stands at its anchor line (thumbTopY read after the move).
ViewZoneBand ViewZoneBandOf(const ViewZoneMetrics& metrics);

// Lines to scroll E so the band's middle comes to the mouse at y; truncated
// towards zero, nothing when T has no line height yet.
int ViewZoneDragLines(int y, ViewZoneBand band, int thumbLineHeight);

// Lines to scroll E for a key (Qt::Key) pressed over the band: Up/Down one line,
// Page Up/Page Down one screen; 0 for any other key.
int ViewZoneKeyLines(int key, int editorLinesOnScreen);
