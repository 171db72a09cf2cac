// Where and how the statistics line goes into a script: the old lines removed, the new one after OutFile.
#include "online/core/stat_code.h"

#include "nsis/core/script_line_scan.h"
#include "nsis/core/stat_line.h"

#include <algorithm>
#include <optional>

namespace {

// Longer lines are not read, as the editor's line buffer would not hold them.
constexpr qsizetype kMaxScannedLine = 2048;
constexpr qsizetype kMaxIndent = 64;

struct OutFileLine {
    qsizetype indent = 0;
    int line = 0;              // in the text as left by the deletions before it
    qsizetype contentEnd = 0;  // likewise
};

}  // namespace

StatCodeEdit PlanStatCode(const QByteArray& utf8Text, const QString& number, const QString& comment) {
    StatCodeEdit plan;
    CommentBlanker blanker;
    std::optional<OutFileLine> outFile;
    qsizetype removedBytes = 0;
    int removedLines = 0;
    const std::vector<LineSpan> lines = SplitLines(utf8Text);
    for (size_t index = 0; index < lines.size(); ++index) {
        const LineSpan& span = lines[index];
        if (span.end - span.start >= kMaxScannedLine)
            continue;
        const QByteArray code =
            blanker.Blank(QByteArrayView(utf8Text).sliced(span.start, span.contentEnd - span.start));
        const Token token = FirstToken(code);
        if (TokenIs(code, token, "OutFile")) {
            outFile = OutFileLine{token.offset, int(index) - removedLines, span.contentEnd - removedBytes};
        } else if (TokenIs(code, token, kStatSymbol)) {
            plan.edits.push_back({span.start - removedBytes, span.end - span.start, {}});
            removedBytes += span.end - span.start;
            ++removedLines;
        }
    }
    const QByteArray lineBreak = FirstLineBreak(utf8Text);
    const QByteArray statLine = StatLine(number, comment).toUtf8();
    if (outFile) {
        const QByteArray indent(std::min(outFile->indent, kMaxIndent), ' ');
        plan.edits.push_back({outFile->contentEnd, 0, lineBreak + indent + statLine});
        plan.statLine = outFile->line + 1;
    } else {
        // At the very start the line needs its break after it, not before.
        plan.edits.push_back({0, 0, statLine + lineBreak});
        plan.statLine = 0;
    }
    return plan;
}
