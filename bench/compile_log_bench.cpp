// Compiles through the frame into the real log pane: whole time against makensis alone, and the longest UI stall.
#include "app/core/command_ids.h"
#include "compiler/ui/compile_controller.h"
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/core/output_pipeline.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"
#include "bench_support.h"
#include "../tests/support/frame_parts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace {

// The scripts and a shown frame over a program folder.
struct Bench {
    ProgramFolder folder;
    std::unique_ptr<CMainFrame> frame;

    Bench() {
        WriteFile(Script(0), "Name Hello\nOutFile hello.exe\nRequestExecutionLevel user\nSection\nSectionEnd\n");
        WriteFile(Script(1), StreamingScriptText());
        frame = std::make_unique<CMainFrame>(*folder.config, folder.prompter, QUrl());
        frame->resize(1000, 700);
        frame->show();
    }
    QString Script(int which) const { return folder.dir.filePath(which == 0 ? "hello.nsi" : "big.nsi"); }
};

// Made on first use and released before the application, which its frame needs.
std::unique_ptr<Bench>& SharedSlot() {
    static std::unique_ptr<Bench> bench;
    return bench;
}

Bench& Shared() {
    if (!SharedSlot())
        SharedSlot() = std::make_unique<Bench>();
    return *SharedSlot();
}

void MakensisAlone(benchmark::State& state) { RunMakensisAlone(state, Shared().Script(int(state.range(0)))); }

// Ctrl+F9 on the open script until the log holds the whole output.
void CompileIntoLog(benchmark::State& state) {
    Bench& bench = Shared();
    FrameDocuments(*bench.frame).OpenDocument(bench.Script(int(state.range(0))), false);
    // The big script loads in the background; compiling waits for its text.
    CScrivoView& view = *FrameActiveView(*bench.frame);
    if (view.IsLoading()) {
        QEventLoop loaded;
        QObject::connect(&view, &CScrivoView::LoadFinished, &loaded, &QEventLoop::quit);
        loaded.exec();
    }
    CCompileLogLogic& logic = FrameCompiler(*bench.frame).Logic();
    qint64 maxGapMs = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&logic, &CCompileLogLogic::CompileFinished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        // How long the UI thread is kept from a 1 ms timer.
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, &loop, [&] { maxGapMs = std::max(maxGapMs, sinceTick.restart()); });
        bench.frame->OnCommand(Cmd::Compile);
        sinceTick.start();
        ticker.start();
        loop.exec();
    }
    state.counters["max_ui_gap_ms"] = double(maxGapMs);
    state.counters["log_lines"] =
        double(FrameCompiler(*bench.frame).Log()->Call().LineCount());
}

// The output pipeline alone (decoding, log text, hints, diagnostics) over the
// big script's recorded output, in the worker's 10 KB chunks: its share of CompileIntoLog/1.
void ReadOutput(benchmark::State& state) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(kMakensis, {QStringLiteral("--"), Shared().Script(1)});
    process.waitForFinished(-1);
    const QByteArray output = process.readAll();
    constexpr qsizetype kChunk = 10240;
    for (auto _ : state) {
        COutputPipeline pipeline(QDir::tempPath());
        for (qsizetype at = 0; at < output.size(); at += kChunk)
            pipeline.Feed(QByteArrayView(output).sliced(at, std::min(kChunk, output.size() - at)));
        pipeline.Finish();
        benchmark::DoNotOptimize(pipeline.TakeReading().logText.size());
        benchmark::DoNotOptimize(pipeline.TakeDiagnostics().size());
    }
    state.SetBytesProcessed(state.iterations() * output.size());
}

}  // namespace

// 0: hello world, 1: 100,000 lines of output.
BENCHMARK(MakensisAlone)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(BenchSeconds(2));
BENCHMARK(CompileIntoLog)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(BenchSeconds(2));
BENCHMARK(MakensisAlone)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(CompileIntoLog)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(ReadOutput)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    const int result = RunBenchmarks(argc, argv);
    SharedSlot().reset();
    return result;
}
