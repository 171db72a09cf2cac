// libFuzzer target: what the compile log reads from makensis's output does not depend on where the pipe cut it.
#include "compiler/core/output_pipeline.h"
#include "fuzz_check.h"

#include <QList>
#include <algorithm>
#include <optional>

namespace {

struct Reading {
    QByteArray text;
    std::optional<int> lastErrorLine;
    QString installer;
    QList<Diagnostic> diagnostics;
};

void Collect(COutputPipeline& pipeline, Reading& reading) {
    const OutputReading taken = pipeline.TakeReading();
    reading.text += taken.logText;
    if (taken.errorLine)
        reading.lastErrorLine = taken.errorLine;
}

// cuts: chunk lengths taken in turn; an empty list feeds everything at once.
Reading Read(QByteArrayView output, QByteArrayView cuts) {
    COutputPipeline pipeline(QStringLiteral("/tmp/compile"));
    Reading reading;
    qsizetype at = 0;
    for (qsizetype i = 0; at < output.size(); ++i) {
        const qsizetype wanted = cuts.isEmpty() ? output.size() : 1 + std::uint8_t(cuts[i % cuts.size()]) % 64;
        const qsizetype length = std::min(wanted, output.size() - at);
        pipeline.Feed(output.sliced(at, length));
        at += length;
        Collect(pipeline, reading);
    }
    pipeline.Finish();
    Collect(pipeline, reading);
    reading.installer = pipeline.InstallerPath();
    reading.diagnostics = pipeline.TakeDiagnostics();
    return reading;
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
    Require(whole.text == chunked.text, "log text");
    Require(whole.lastErrorLine == chunked.lastErrorLine, "the error line jumped to");
    Require(whole.installer == chunked.installer, "installer path");
    Require(whole.diagnostics == chunked.diagnostics, "diagnostics");
    return 0;
}
