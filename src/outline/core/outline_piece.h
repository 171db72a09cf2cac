// OutlinePiece: a piece of the text an outline pass reads, as the UI thread hands it over.
#pragma once

#include <QByteArray>

// The default is a whole empty text: no document gives an empty outline.
struct OutlinePiece {
    QByteArray bytes;    // whole lines, except in the last piece
    bool last = true;    // the text ends with this piece
    bool stale = false;  // the text changed or went since the pass began
};
