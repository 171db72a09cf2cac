// CDiagnosticParser: reads makensis's output, line by line, into errors and warnings.
#pragma once

#include "compiler/core/diagnostic.h"
#include "compiler/core/output_line.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The places it gives are as makensis printed them: file names relative to
// the folder it compiled in, "<stdin>" for a script read from standard input,
// and for an error inside a macro the line that inserted it. LocateDiagnostics
// turns them into the places the user means.
class CDiagnosticParser {
public:
    void ReadLine(const OutputLine& line);
    // Closes what is still open at the end of the output.
    void Finish();

    QList<Diagnostic> TakeDiagnostics();

private:
    bool ReadFrame(const OutputLine& line);
    void CloseError();
    void FlushLoneError();
    void ReadSummaryLine(const QString& line);
    void ReadAbort(const QString& line);
    void AddWarning(const QString& text, const QString& sourceLine);
    void OpenError(const QString& message);

    QList<Diagnostic> m_diagnostics;
    std::optional<Diagnostic> m_openError;  // frames read, the outermost not yet
    std::optional<Diagnostic> m_loneError;  // an "Error: " line that frames may still follow
    QString m_lastMessage;                  // the line before a chain names its error
    QString m_lastMessageLine;              // and is part of it
    QStringList m_usage;                    // the usage text of the command that failed
    QString m_installerPath;                // as the `Output: "..."` line names it
    bool m_inSummary = false;
};
