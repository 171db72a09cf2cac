// LineEnd: the line end a document keeps (CR LF or LF), found from its text.
#pragma once

#include <QByteArrayView>
#include <QString>

enum class LineEnd { CrLf, Lf };

// The kind most lines end with; a tie, or a text without line ends, gives
// CR LF, as new documents and generated scripts have.
LineEnd DetectLineEnd(QByteArrayView text);

// The same count over a text that comes in pieces, cut anywhere.
class LineEndTally {
public:
    void Add(QByteArrayView piece);
    LineEnd Result() const { return m_lf > m_crLf ? LineEnd::Lf : LineEnd::CrLf; }

private:
    qsizetype m_crLf = 0;
    qsizetype m_lf = 0;
    bool m_endsWithCr = false;
};

// "CR LF" or "LF".
QString LineEndName(LineEnd lineEnd);
