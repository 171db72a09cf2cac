// Compile driver overhead over makensis alone, and output streaming of a large compile.
#include "compiler/core/compile_log_logic.h"
#include "bench_support.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {
QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

QString WriteScript(const QString& name, const QByteArray& text) {
    const QString path = Folder().filePath(name);
    WriteFile(path, text);
    return path;
}

QString HelloScript() {
    static const QString path =
        WriteScript("hello.nsi",
                    "Name Hello\nOutFile hello.exe\nRequestExecutionLevel user\nSection\nDetailPrint hi\nSectionEnd\n");
    return path;
}

QString ModernUiScript() {
    static const QString path =
        WriteScript("mui.nsi",
                    "!include \"MUI2.nsh\"\n!include \"LogicLib.nsh\"\n!include \"FileFunc.nsh\"\n"
                    "Name Bench\nOutFile mui.exe\nRequestExecutionLevel user\n"
                    "InstallDir \"$PROGRAMFILES\\Bench\"\n"
                    "!insertmacro MUI_PAGE_WELCOME\n!insertmacro MUI_PAGE_DIRECTORY\n"
                    "!insertmacro MUI_PAGE_INSTFILES\n!insertmacro MUI_LANGUAGE \"SimpChinese\"\n"
                    "Section\n  ${GetTime} \"\" \"L\" $0 $1 $2 $3 $4 $5 $6\n"
                    "  ${If} $0 == \"1\"\n    DetailPrint one\n  ${EndIf}\nSectionEnd\n");
    return path;
}

QString StreamingScript() {
    static const QString path = WriteScript("big.nsi", StreamingScriptText());
    return path;
}

QString ScriptFor(int which) {
    switch (which) {
    case 0: return HelloScript();
    case 1: return ModernUiScript();
    default: return StreamingScript();
    }
}

void MakensisAlone(benchmark::State& state) { RunMakensisAlone(state, ScriptFor(int(state.range(0)))); }

// The whole driver: worker, pipe, decoding, scanning and the hand-over of
// every chunk to this (the UI) thread, which keeps the text as the log would.
void Driver(benchmark::State& state) {
    const QString script = ScriptFor(static_cast<int>(state.range(0)));
    CompileSettings settings;
    settings.compilerPath = kMakensis;
    CCompileLogLogic logic;
    qint64 maxGapMs = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        QByteArray log;
        QEventLoop loop;
        QObject::connect(&logic, &CCompileLogLogic::TextReady, &loop, [&](const QByteArray& text) { log += text; });
        bool ok = false;
        QObject::connect(&logic, &CCompileLogLogic::CompileFinished, &loop, [&](const CompileResult& result) {
            ok = result.exitCode == 0;
            loop.quit();
        });
        // How long the UI thread's event loop is kept from a 1 ms timer.
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, &loop, [&] { maxGapMs = std::max(maxGapMs, sinceTick.restart()); });
        logic.Start(settings, script);
        sinceTick.start();
        ticker.start();
        loop.exec();
        bytes += log.size();
        if (!ok)
            state.SkipWithError("compile failed");
    }
    state.counters["max_ui_gap_ms"] = static_cast<double>(maxGapMs);
    state.counters["log_bytes"] = benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}
}  // namespace

// 0: hello world, 1: MUI2 + LogicLib + FileFunc, 2: 100,000 lines of output.
BENCHMARK(MakensisAlone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(BenchSeconds(3));
BENCHMARK(Driver)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(BenchSeconds(3));
BENCHMARK(MakensisAlone)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(Driver)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
