// The headless check's report of a compile: each diagnostic with its chain, the summary and the exit code.
#pragma once

#include "compiler/core/compile_log_logic.h"

#include <QByteArray>
#include <QString>

// Exit codes of `scrivo --check`.
enum class CheckExit { Clean = 0, Errors = 1, CouldNotRun = 2 };

CheckExit CheckExitOf(const CompileResult& result);

// "file:line: error|warning: message" per diagnostic (without "file:line: "
// when it has no place), the usage text indented, "note: ..." lines for the
// include and macro frames, then the status bar's summary.
QString CheckReportText(const CompileResult& result);

// The same as one JSON document.
QByteArray CheckReportJson(const QString& script, const CompileResult& result);
