// The makensis command of a compile run: settings, compressor switch, argument list and its log line.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What a compile reads once when it starts.
struct CompileSettings {
    QString compilerPath;
    QString defs;         // "/Dname[=value]" lines
    bool disNsh = false;  // -NOCONFIG
    bool disNsi = false;  // -NOCD
    int compressor = 0;   // index of the compressor menu, 0..7
};

class Configurator;

// The settings as a compile reads them when it starts; the compressor is the
// frame's menu choice.
CompileSettings ReadCompileSettings(const Configurator& config, int compressor);

// The compressor name that index adds as "SetCompressor /FINAL <name>"; empty
// for the script's own choice and for an index outside the table.
QString CompressorName(int index);

// Every option before the script: the compressor switch, -NOCONFIG, -NOCD and
// one -D argument per Defs line, so a value with blanks stays one argument.
QStringList CompileOptions(const CompileSettings& settings);

// The Defs lines as "name[=value]", one per symbol.
QStringList CompileDefines(const CompileSettings& settings);

// The options followed by "--" and the script path, or by "-" (no "--") when
// the script comes on standard input.
QStringList CompileArguments(const CompileSettings& settings, const QString& script, bool scriptOnStdin);

// One argument as a POSIX shell would need it written.
QString ShellQuote(const QString& argument);

// "CommandLine=" and the command as a shell would take it, then two line feeds.
QString CommandLineLogText(const QString& program, const QStringList& arguments);

// makensis refuses non-ASCII arguments outside a UTF-8 locale, so the child
// gets one when the editor's own locale is not UTF-8.
QProcessEnvironment MakensisEnvironment(const QProcessEnvironment& base);
