// Line-by-line reading of an NSIS script as statistics insertion sees it: line spans, comments, first token.
#include "nsis/core/script_line_scan.h"

namespace {
bool IsTokenChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '!'
        || c == '$' || c == '{' || c == '}';
}
}  // namespace

std::vector<LineSpan> SplitLines(QByteArrayView text) {
    std::vector<LineSpan> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        const qsizetype contentEnd = i;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.push_back({start, contentEnd, i + 1});
        start = i + 1;
    }
    lines.push_back({start, text.size(), text.size()});
    return lines;
}

QByteArray FirstLineBreak(QByteArrayView text) {
    const LineSpan first = SplitLines(text).front();
    if (first.end == first.contentEnd)
        return QByteArrayLiteral("\r\n");
    return text.sliced(first.contentEnd, first.end - first.contentEnd).toByteArray();
}

QByteArray CommentBlanker::Blank(QByteArrayView line) {
    QByteArray code = line.toByteArray();
    char quote = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (m_inBlock) {
            code[i] = ' ';
            if (c == '*' && i + 1 < code.size() && code[i + 1] == '/') {
                code[++i] = ' ';
                m_inBlock = false;
            }
        } else if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            code.truncate(i);
            code.append(line.size() - i, ' ');
            break;
        } else if (c == '/' && i + 1 < code.size() && code[i + 1] == '*') {
            code[i] = ' ';
            code[++i] = ' ';
            m_inBlock = true;
        }
    }
    return code;
}

Token FirstToken(QByteArrayView code) {
    qsizetype i = 0;
    while (i < code.size() && !IsTokenChar(code[i]))
        ++i;
    if (i == code.size())
        return {};
    qsizetype end = i;
    while (end < code.size() && IsTokenChar(code[end]))
        ++end;
    return {i, end - i};
}

bool TokenIs(QByteArrayView code, Token token, QByteArrayView word) {
    return token.offset >= 0 && code.sliced(token.offset, token.length).compare(word, Qt::CaseInsensitive) == 0;
}
