// LineEnd: the line end a document keeps (CR LF or LF), found from its text.
#pragma once

#include <QByteArrayView>
#include <QString>

enum class LineEnd { CrLf, Lf };

// The kind most lines end with; a tie, or a text without line ends, gives
// CR LF, as new documents and generated scripts have.
LineEnd DetectLineEnd(QByteArrayView text);

// "CR LF" or "LF".
QString LineEndName(LineEnd lineEnd);
