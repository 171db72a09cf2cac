// libFuzzer target: what the compile log reads from makensis's output does not depend on where the pipe cut it.
#include "compiler/core/output_batch.h"
#include "fuzz_check.h"

#include <QStringList>
#include <algorithm>
#include <optional>

namespace {

struct Reading {
    QByteArray text;
    std::optional<int> lastErrorLine;
    QString installer;
    QList<Diagnostic> diagnostics;
};

void Collect(COutputBatch& batch, Reading& reading) {
    auto [text, errorLine] = batch.Release();
    reading.text += text;
    if (errorLine)
        reading.lastErrorLine = errorLine;
}

// cuts: chunk lengths taken in turn; an empty list feeds everything at once.
Reading Read(QByteArrayView output, QByteArrayView cuts) {
    COutputBatch batch(QStringLiteral("/tmp/compile"));
    Reading reading;
    qsizetype at = 0;
    for (qsizetype i = 0; at < output.size(); ++i) {
        const qsizetype wanted = cuts.isEmpty() ? output.size() : 1 + std::uint8_t(cuts[i % cuts.size()]) % 64;
        const qsizetype length = std::min(wanted, output.size() - at);
        batch.Take(output.sliced(at, length));
        at += length;
        Collect(batch, reading);
    }
    batch.Finish();
    Collect(batch, reading);
    reading.installer = batch.InstallerPath();
    reading.diagnostics = batch.TakeDiagnostics();
    return reading;
}

// The log's hints follow the line that caused them, wherever that line ended
// in the chunks; at the very end a hint after an unfinished line brings its own
// line feed. The rest of the text must match byte for byte.
QList<QByteArray> LinesWithoutHints(const QByteArray& text) {
    const QByteArray hint = BadEncodingHint(QString()).toUtf8().left(12);
    QList<QByteArray> lines = text.split('\n');
    lines.removeIf([&](const QByteArray& line) { return line.startsWith(hint); });
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte tells how many bytes after it choose the cuts.
    if (size == 0)
        return 0;
    const qsizetype cutBytes = std::min<qsizetype>(data[0] % 8 + 1, qsizetype(size) - 1);
    const QByteArrayView cuts(reinterpret_cast<const char*>(data) + 1, cutBytes);
    const QByteArrayView output(reinterpret_cast<const char*>(data) + 1 + cutBytes, qsizetype(size) - 1 - cutBytes);

    const Reading whole = Read(output, {});
    const Reading chunked = Read(output, cuts.isEmpty() ? QByteArrayView("\x01") : cuts);
    Require(LinesWithoutHints(whole.text) == LinesWithoutHints(chunked.text), "log text");
    Require(whole.lastErrorLine == chunked.lastErrorLine, "the error line jumped to");
    Require(whole.installer == chunked.installer, "installer path");
    Require(whole.diagnostics == chunked.diagnostics, "diagnostics");
    return 0;
}
