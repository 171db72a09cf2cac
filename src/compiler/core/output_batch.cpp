// COutputBatch: the compiler's output read into log text, error lines, hints, diagnostics and the installer path.
#include "compiler/core/output_batch.h"

void COutputBatch::Add(const QByteArray& text, bool last) {
    ScanFindings findings = m_scanner.Feed(text);
    m_parser.Feed(text);
    if (last) {
        m_parser.Finish();
        const ScanFindings unfinished = m_scanner.Finish();
        findings.hints += unfinished.hints;
        if (unfinished.errorLine)
            findings.errorLine = unfinished.errorLine;
    }
    m_text += text;
    if (!text.isEmpty())
        m_atLineStart = text.endsWith('\n');
    if (findings.errorLine)
        m_errorLine = findings.errorLine;
    m_heldHints += findings.hints;
    // A hint waits for the end of a line so that it never splits one.
    if (!m_heldHints.isEmpty() && (m_atLineStart || last)) {
        m_text += m_atLineStart ? m_heldHints : '\n' + m_heldHints;
        m_heldHints.clear();
        m_atLineStart = true;
    }
}
