// COutputPipeline: makensis's output, chunk by chunk, into log text, error lines, hints, the installer and diagnostics.
#pragma once

#include "compiler/core/diagnostic.h"
#include "compiler/core/diagnostic_parser.h"
#include "compiler/core/output_decoder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

// The log's hint for a file makensis could not read because it is not UTF-8.
QString BadEncodingHint(const QString& file);

// What the pipeline has read since it was last asked.
struct OutputReading {
    QByteArray logText;            // UTF-8; a hint follows the line that caused it
    std::optional<int> errorLine;  // 0-based; that of the last "Error in script" line in the text

    bool IsEmpty() const { return logText.isEmpty() && !errorLine; }
};

// One decoder and one line splitter feed every reader of the output, so each
// line is cut and recognised once. Text is passed on as it arrives; the line
// readers see whole lines, joined across chunks. Whatever the chunks, the
// results are the same.
class COutputPipeline {
public:
    // A line this long without a line feed is no message of the compiler: it
    // is read in pieces of this size instead of being held without bound.
    static constexpr qsizetype kMaxLine = 64 * 1024;

    // compileFolder: where makensis compiled, for a relative installer path.
    explicit COutputPipeline(QString compileFolder);

    void Feed(QByteArrayView bytes);
    // The output has ended: reads a last line without a line feed.
    void Finish();

    const OutputReading& Pending() const { return m_reading; }
    OutputReading TakeReading();
    // The installer named by the last `Output: "..."` line, made absolute; empty when none.
    QString InstallerPath() const { return m_installerPath; }
    // Errors and warnings as makensis printed them (LocateDiagnostics places them); whole after Finish.
    QList<Diagnostic> TakeDiagnostics() { return m_diagnostics.TakeDiagnostics(); }

private:
    void Split(QByteArrayView text);
    void ReadLine(QByteArrayView line);
    void PlaceHints();

    QString m_compileFolder;
    COutputDecoder m_decoder;
    QByteArray m_partialLine;
    bool m_atLineStart = true;
    OutputReading m_reading;
    QByteArray m_heldHints;  // until the log text is at the start of a line
    QSet<QString> m_hintedFiles;
    QString m_installerPath;
    CDiagnosticParser m_diagnostics;
};
