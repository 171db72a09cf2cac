// Compiles with the real makensis for the compiler tests, and the scripts they share.
#pragma once

#include "compiler/core/compile_log_logic.h"
#include "text/core/ansi_code_page.h"

#include <QEventLoop>
#include <QTimer>

#include <functional>

inline const QString kMakensis = QStringLiteral("/usr/bin/makensis");

struct CompileRun {
    bool startedSignal = false;
    bool finished = false;
    QByteArray log;
    QList<int> errorLines;
    CompileResult result;
};

inline QByteArray ToGbk(const QByteArray& utf8) {
    QByteArray out;
    bool lossy = false;
    Utf8ToAnsi(utf8, out, lossy);
    return out;
}

// A script whose lines are numbered from 1 as makensis counts them.
inline QByteArray HelloScript(const QByteArray& outFile = "hello.exe") {
    return "Name \"Hello\"\n"
           "OutFile \"" + outFile + "\"\n"
           "RequestExecutionLevel user\n"
           "Section\n"
           "  DetailPrint \"hi\"\n"
           "SectionEnd\n";
}

// Keeps makensis's preprocessor busy for seconds without running anything:
// each macro inserts the one below twice, about a million expansions.
inline QByteArray HeavyPreprocessorScript() {
    QByteArray script;
    for (int i = 0; i < 20; ++i) {
        const QByteArray below = "!insertmacro M" + QByteArray::number(i - 1) + "\n";
        script += "!macro M" + QByteArray::number(i) + "\n";
        script += i == 0 ? QByteArray("!define /redef X 1\n") : below + below;
        script += "!macroend\n";
    }
    return script + "!insertmacro M19\n";
}

// Runs the event loop until the compile that `start` begins has finished;
// onFirstText runs once the first text has arrived.
inline CompileRun RunCompile(CCompileLogLogic& logic, const std::function<bool()>& start,
                             const std::function<void(CCompileLogLogic&)>& onFirstText = {}) {
    CompileRun run;
    QEventLoop loop;
    QObject::connect(&logic, &CCompileLogLogic::CompileStarted, &loop, [&] { run.startedSignal = true; });
    QObject::connect(&logic, &CCompileLogLogic::TextReady, &loop, [&](const QByteArray& text) {
        const bool first = run.log.isEmpty();
        run.log += text;
        if (first && onFirstText)
            onFirstText(logic);
    });
    QObject::connect(&logic, &CCompileLogLogic::ErrorLine, &loop, [&](int line) { run.errorLines << line; });
    QObject::connect(&logic, &CCompileLogLogic::CompileFinished, &loop, [&](const CompileResult& result) {
        run.result = result;
        run.finished = true;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (start())
        loop.exec();
    return run;
}

inline CompileRun Compile(CCompileLogLogic& logic, const CompileSettings& settings, const QString& script,
                          const std::function<void(CCompileLogLogic&)>& onFirstText = {}) {
    return RunCompile(
        logic, [&] { return logic.Start(settings, script); }, onFirstText);
}

// For a compile something else has started.
inline CompileResult WaitForFinish(CCompileLogLogic& logic) {
    return RunCompile(logic, [] { return true; }).result;
}

inline CompileSettings Settings(int compressor = 0, const QString& defs = {}) {
    CompileSettings settings;
    settings.compilerPath = kMakensis;
    settings.compressor = compressor;
    settings.defs = defs;
    return settings;
}
