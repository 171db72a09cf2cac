// LineEnd: the line end a document keeps (CR LF or LF), found from its text.
#include "editor/core/line_end.h"

LineEnd DetectLineEnd(QByteArrayView text) {
    LineEndTally tally;
    tally.Add(text);
    return tally.Result();
}

void LineEndTally::Add(QByteArrayView piece) {
    for (qsizetype at = piece.indexOf('\n'); at >= 0; at = piece.indexOf('\n', at + 1)) {
        if (at > 0 ? piece[at - 1] == '\r' : m_endsWithCr)
            ++m_crLf;
        else
            ++m_lf;
    }
    if (!piece.isEmpty())
        m_endsWithCr = piece.back() == '\r';
}

QString LineEndName(LineEnd lineEnd) { return lineEnd == LineEnd::Lf ? QStringLiteral("LF") : QStringLiteral("CR LF"); }
