// LineEnd: the line end a document keeps (CR LF or LF), found from its text.
#include "editor/core/line_end.h"

LineEnd DetectLineEnd(QByteArrayView text) {
    qsizetype crLf = 0;
    qsizetype lf = 0;
    for (qsizetype at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1)) {
        if (at > 0 && text[at - 1] == '\r')
            ++crLf;
        else
            ++lf;
    }
    return lf > crLf ? LineEnd::Lf : LineEnd::CrLf;
}

QString LineEndName(LineEnd lineEnd) { return lineEnd == LineEnd::Lf ? QStringLiteral("LF") : QStringLiteral("CR LF"); }
