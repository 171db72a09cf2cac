// Pieces every benchmark program shares: a prompter that asks nothing, scratch files, makensis alone, memory readings, waiting for a paint, main().
#pragma once

#include "config/core/configurator.h"
#include "editor/ui/scintilla_call.h"
#include "../tests/support/nsis_headers.h"
#include "../tests/support/scripted_prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

// With nothing queued every question gets Cancel or an empty choice: no benchmark waits for a user.
using SilentPrompter = ScriptedPrompter;

inline const QString kMakensis = QStringLiteral("/usr/bin/makensis");

// False when the file cannot be written whole.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// With SCRIVO_BENCH_SMOKE set, inputs shrink a thousandfold and timed runs
// to a moment: CI runs every benchmark that way so none stops working unseen.
inline bool SmokeRun() {
    static const bool smoke = qEnvironmentVariableIsSet("SCRIVO_BENCH_SMOKE");
    return smoke;
}
inline qsizetype BenchSize(qsizetype full) { return SmokeRun() ? std::max<qsizetype>(1, full / 1000) : full; }
inline double BenchSeconds(double full) { return SmokeRun() ? 0.01 : full; }

// About 100,000 lines of compiler output: every !echo is printed at verbosity 4.
inline QByteArray StreamingScriptText() {
    QByteArray text = "!verbose 4\n";
    for (qsizetype i = 1; i <= BenchSize(100000); ++i)
        text += "!echo \"line " + QByteArray::number(i) + " of the streaming benchmark\"\n";
    return text + "Name Big\nOutFile big.exe\nRequestExecutionLevel user\nSection\nSectionEnd\n";
}

// NSIS's own headers repeated to the size asked for. They hold no ';' comment
// ending in '\', so the component's own NSIS lexer can take them as well.
inline QByteArray NsisHeadersScript(qsizetype bytes) {
    QByteArray headers = NsisHeadersText();
    if (headers.isEmpty())
        headers = "Section Main\n  DetailPrint \"text\"\nSectionEnd\n";
    QByteArray text;
    text.reserve(bytes + headers.size());
    while (text.size() < bytes)
        text += headers;
    return text;
}

// The yardstick for the compile driver: makensis on the script with its output thrown away.
inline void RunMakensisAlone(benchmark::State& state, const QString& script) {
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(kMakensis, {QStringLiteral("--"), script});
        process.waitForFinished(-1);
        if (process.exitCode() != 0)
            state.SkipWithError("makensis failed");
    }
}

// A program folder with the build's language and style files and default settings, loaded.
struct ProgramFolder {
    QTemporaryDir dir;
    SilentPrompter prompter;
    std::unique_ptr<Configurator> config;

    ProgramFolder() {
        for (const char* name : {"langs.xml", "stylers.xml"})
            QFile::copy(QCoreApplication::applicationDirPath() + u'/' + QLatin1StringView(name),
                        dir.filePath(QLatin1StringView(name)));
        WriteFile(dir.filePath(QStringLiteral("config.xml")),
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scrivo/>\n");
        config = std::make_unique<Configurator>(dir.path(), dir.filePath(QStringLiteral("user")), prompter);
        config->Load();
    }
};

// A field of /proc/self/status in kilobytes ("VmRSS:", "VmHWM:"); 0 when absent.
inline long StatusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return std::atol(line.constData() + qstrlen(field));
    }
    return 0;
}

// Resets the kernel's resident high-water mark, so VmHWM covers what follows alone.
inline void ResetPeakResident() {
    if (FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", clear);
        std::fclose(clear);
    }
}

// Runs events until the editing component has painted once.
inline void WaitForPaint(ScintillaCall& editor) {
    bool painted = false;
    QObject::connect(
        &editor, &ScintillaCall::Painted, &editor, [&painted] { painted = true; }, Qt::SingleShotConnection);
    QElapsedTimer limit;
    limit.start();
    while (!painted && limit.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Widget benchmarks run without a display unless one is asked for.
inline void UseOffscreenUnlessSet() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline int RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
