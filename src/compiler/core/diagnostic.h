// Diagnostic: one error or warning of a compile, with where it happened and how makensis got there.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

enum class DiagnosticSeverity { Error, Warning };

// One step of the chain that led to an error: a line of a file, or a line of
// a macro's body.
struct DiagnosticFrame {
    QString file;   // as makensis printed it; empty for a macro frame until the macro is found
    QString macro;  // the macro's name for a macro frame
    int line = 0;   // 1-based, in the file; in the macro's body until the macro is found

    bool operator==(const DiagnosticFrame&) const = default;
};

struct Diagnostic {
    DiagnosticSeverity severity = DiagnosticSeverity::Error;
    QString message;
    QString details;                // the command's usage text, when makensis gave one
    QString file;                   // absolute once located; empty when the diagnostic has no place
    int line = 0;                   // 1-based; 0 when the diagnostic has no place
    QList<DiagnosticFrame> frames;  // innermost first; a located macro frame holds its body's place
    QStringList sourceLines;        // the output lines it was read from

    bool HasPlace() const { return !file.isEmpty() && line > 0; }
    bool operator==(const Diagnostic&) const = default;
};
