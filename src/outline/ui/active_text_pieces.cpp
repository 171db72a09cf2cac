// ActiveTextPieces: the active script's text read for the outline a piece at a time on the UI thread.
#include "outline/ui/active_text_pieces.h"

#include "editor/ui/scrivo_view.h"

#include <algorithm>

ActiveTextPieces::ActiveTextPieces(ActiveView activeView, qint64 pieceBytes)
    : m_activeView(std::move(activeView)), m_pieceBytes(std::max<qint64>(1, pieceBytes)) {}

OutlinePiece ActiveTextPieces::operator()(qint64 from) {
    CScrivoView* view = m_activeView ? m_activeView() : nullptr;
    if (from == 0) {
        m_passView = view;
        m_passChanges = view ? view->TextChanges() : 0;
    } else if (!view || view != m_passView || view->TextChanges() != m_passChanges) {
        return OutlinePiece{{}, true, true};
    }
    if (!view)
        return {};
    const ScintillaCall& call = view->Call();
    const qint64 length = call.Length();
    qint64 end = std::min(length, from + m_pieceBytes);
    if (end < length) {
        // Cut where a line begins, so no piece ends between a CR and its LF;
        // a line longer than a piece goes whole.
        const ScintillaCall::Line line = call.LineFromPosition(end);
        end = call.PositionFromLine(line);
        if (end <= from)
            end = call.PositionFromLine(line + 1);
        if (end <= from || end > length)
            end = length;
    }
    return OutlinePiece{call.GetTextRange(from, end), end == length, false};
}
