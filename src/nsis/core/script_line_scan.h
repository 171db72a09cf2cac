// Line-by-line reading of an NSIS script as statistics insertion sees it: line spans, comments, first token.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// One line of a text: [start, contentEnd) is its text, [contentEnd, end) its line break.
struct LineSpan {
    qsizetype start = 0;
    qsizetype contentEnd = 0;
    qsizetype end = 0;
};

// The lines as the editing component counts them: CR LF, LF and CR end a
// line; a text ending in a line break has an empty last line.
std::vector<LineSpan> SplitLines(QByteArrayView text);

// The first line break of the text, or CR LF when it has none.
QByteArray FirstLineBreak(QByteArrayView text);

// Feeds lines in order, carrying a block comment that is open at a line's end to the next line.
class CommentBlanker {
public:
    // The line with its comments (";" outside quotes to the end, "/*" to "*/")
    // replaced by blanks, so that offsets stay those of the line.
    QByteArray Blank(QByteArrayView line);

private:
    bool m_inBlock = false;
};

struct Token {
    qsizetype offset = -1;  // -1: the line has no token
    qsizetype length = 0;
};

// The first run of ASCII letters, digits and "_", "!", "$", "{", "}".
Token FirstToken(QByteArrayView code);

// The token's text compared with word, ignoring ASCII case.
bool TokenIs(QByteArrayView code, Token token, QByteArrayView word);
