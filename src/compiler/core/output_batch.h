// COutputBatch: the compiler's output read into log text, error lines, hints, diagnostics and the installer path.
#pragma once

#include "compiler/core/diagnostic.h"
#include "compiler/core/diagnostic_parser.h"
#include "compiler/core/output_decoder.h"
#include "compiler/core/output_scanner.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The decoded output waiting to be posted, with what was found in it.
class COutputBatch {
public:
    explicit COutputBatch(const QString& compileFolder) : m_scanner(compileFolder) {}

    void Take(QByteArrayView chunk) { Add(m_decoder.Decode(chunk), false); }
    void Finish() { Add(m_decoder.Finish(), true); }
    bool IsEmpty() const { return m_text.isEmpty() && !m_errorLine; }
    qsizetype Size() const { return m_text.size(); }
    QString InstallerPath() const { return m_scanner.InstallerPath(); }
    QList<Diagnostic> TakeDiagnostics() { return m_parser.TakeDiagnostics(); }

    // The gathered text and the last error line in it; empties the batch.
    std::pair<QByteArray, std::optional<int>> Release() {
        return {std::exchange(m_text, {}), std::exchange(m_errorLine, std::nullopt)};
    }

private:
    void Add(const QByteArray& text, bool last);

    COutputDecoder m_decoder;
    CCompileOutputScanner m_scanner;
    CDiagnosticParser m_parser;
    QByteArray m_text;
    std::optional<int> m_errorLine;
    QByteArray m_heldHints;
    bool m_atLineStart = true;
};
