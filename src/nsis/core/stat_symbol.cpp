// The statistics line as the stock makensis can read it: a definition of the statistics symbol.
#include "nsis/core/stat_symbol.h"

#include "nsis/core/script_line_scan.h"
#include "nsis/core/stat_line.h"

#include <optional>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsAlphanumeric(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool AllBlank(QByteArrayView text) {
    for (char c : text) {
        if (!IsBlank(c))
            return false;
    }
    return true;
}

// The definition that replaces "KorvaneID <number>" in the line, or nothing when the line is not that command.
std::optional<QByteArray> StatDefinition(QByteArrayView line, QByteArrayView code) {
    const Token token = FirstToken(code);
    if (!TokenIs(code, token, kStatSymbol) || !AllBlank(code.first(token.offset)))
        return std::nullopt;
    qsizetype start = token.offset + token.length;
    if (start == code.size() || !IsBlank(code[start]))
        return std::nullopt;
    while (start < code.size() && IsBlank(code[start]))
        ++start;
    qsizetype end = start;
    while (end < code.size() && IsAlphanumeric(code[end]))
        ++end;
    if (end == start || !AllBlank(code.sliced(end)))
        return std::nullopt;
    const QByteArrayView number = code.sliced(start, end - start);
    return line.first(token.offset).toByteArray() + "!define " + kStatSymbol + " \"" + number.toByteArray() + "\""
        + line.sliced(end).toByteArray();
}

}  // namespace

bool DefineStatSymbol(QByteArray& utf8Script) {
    CommentBlanker blanker;
    QByteArray out;
    bool changed = false;
    for (const LineSpan& span : SplitLines(utf8Script)) {
        const QByteArrayView line = QByteArrayView(utf8Script).sliced(span.start, span.contentEnd - span.start);
        const QByteArray code = blanker.Blank(line);
        if (const std::optional<QByteArray> definition = StatDefinition(line, code)) {
            out += *definition;
            changed = true;
        } else {
            out += line;
        }
        out += QByteArrayView(utf8Script).sliced(span.contentEnd, span.end - span.contentEnd);
    }
    if (changed)
        utf8Script = out;
    return changed;
}
