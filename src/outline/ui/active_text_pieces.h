// ActiveTextPieces: the active script's text read for the outline a piece at a time on the UI thread.
#pragma once

#include "outline/core/outline_piece.h"

#include <QPointer>
#include <QtGlobal>

#include <functional>

class CScrivoView;

// A view still loading in the background shows its old text until the new
// one is attached whole, which counts as a change: no pass reads half a file.
class ActiveTextPieces {
public:
    // The active document's view, asked for at each piece; null for none.
    using ActiveView = std::function<CScrivoView*()>;

    // A copy of this size takes the UI thread a moment only.
    static constexpr qint64 kPieceBytes = qint64(4) << 20;

    explicit ActiveTextPieces(ActiveView activeView, qint64 pieceBytes = kPieceBytes);

    // The text from byte `from` to the first line start at least pieceBytes
    // on (or the end). Byte 0 begins a pass; a later piece is stale once
    // another view is active or the text has changed since.
    OutlinePiece operator()(qint64 from);

private:
    ActiveView m_activeView;
    qint64 m_pieceBytes;
    QPointer<CScrivoView> m_passView;
    quint64 m_passChanges = 0;
};
