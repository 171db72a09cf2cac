// The live check's plan: the makensis arguments of its two passes and the directives that keep it to the first.
#pragma once

#include "compiler/core/compile_command.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Pass 1: the safe preprocessor on the text from standard input. It runs no
// !system or !execute and still reports missing includes, !error, unknown
// commands, wrong parameter counts, macro and !if faults.
QStringList PreprocessArguments(const CompileSettings& settings);

// Pass 2: a full compile of the text from standard input whose installer goes
// to installer (given after the script, so it wins over the script's
// OutFile). The payload is stored, not compressed, so a large File costs
// reading only. A solid compressor would pack it all the same, so a script
// that chooses its compressor gets zlib instead (overrideCompressor), and the
// warning that its own choice is ignored is silenced; only a script that also
// turns warnings into errors still sees it.
QStringList FullCheckArguments(const CompileSettings& settings, const QString& installer, bool overrideCompressor);

// Whether preprocessed text chooses a compressor.
bool SetsCompressor(QByteArrayView preprocessed);

// The directives in preprocessed text that run a program or write a file, in
// lower case, each once, in order of appearance. Any of them keeps the check to
// pass 1.
QStringList UnsafeDirectives(QByteArrayView preprocessed);

// The status bar's note that the full check waits for a compile.
QString FullCheckSkippedText(const QStringList& directives);
// The status bar's note that the full check took too long.
QString FullCheckTimedOutText();
