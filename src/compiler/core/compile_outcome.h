// Compile outcome: the status-bar text and the problem list's order after a compile.
#pragma once

#include "compiler/core/compile_log_logic.h"
#include "compiler/core/diagnostic.h"

#include <QList>
#include <QString>

// How many of the diagnostics are errors.
qsizetype ErrorCount(const QList<Diagnostic>& diagnostics);

// "编译成功" (with "：M 个警告" when there are warnings), or
// "编译失败：N 个错误，M 个警告", or why nothing was built.
QString CompileOutcomeText(const CompileResult& result);

// A run that failed without an error diagnostic gets one that says so, so
// that every failure shows in the problem list.
void AddFailureDiagnostic(CompileResult& result);

// Errors first, then warnings, each in the order makensis printed them.
QList<Diagnostic> ErrorsFirst(QList<Diagnostic> diagnostics);

// The diagnostic a line of the compiler's output belongs to; -1 when none.
// A line of the closing summary belongs to the warning it repeats.
int DiagnosticOfOutputLine(const QList<Diagnostic>& diagnostics, QString line);
