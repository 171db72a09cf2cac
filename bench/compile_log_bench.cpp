// Compiles through the frame into the real log pane: whole time against makensis alone, and the longest UI stall.
#include "app/core/command_ids.h"
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/ui/compile_controller.h"
#include "config/core/configurator.h"
#include "editor/ui/qsci_base.h"
#include "../tests/support/scripted_prompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

const QString kMakensis = QStringLiteral("/usr/bin/makensis");

// A program folder with the build's language and style files, the scripts and a shown frame.
struct Bench {
    QTemporaryDir dir;
    ScriptedPrompter prompter;  // nothing here asks the user
    std::unique_ptr<Configurator> config;
    std::unique_ptr<CMainFrame> frame;

    Bench() {
        for (const char* name : {"langs.xml", "stylers.xml"})
            QFile::copy(QCoreApplication::applicationDirPath() + u'/' + QLatin1StringView(name),
                        dir.filePath(QLatin1StringView(name)));
        Write("config.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scrivo/>\n");
        Write("hello.nsi", "Name Hello\nOutFile hello.exe\nRequestExecutionLevel user\nSection\nSectionEnd\n");
        // About 100,000 lines of output: each !echo is printed at verbosity 4.
        QByteArray big = "!verbose 4\n";
        for (int i = 1; i <= 100000; ++i)
            big += "!echo \"line " + QByteArray::number(i) + " of the streaming benchmark\"\n";
        Write("big.nsi", big + "Name Big\nOutFile big.exe\nRequestExecutionLevel user\nSection\nSectionEnd\n");
        config = std::make_unique<Configurator>(dir.path(), dir.filePath(QStringLiteral("user")), prompter);
        config->Load();
        frame = std::make_unique<CMainFrame>(*config, prompter, QUrl());
        frame->resize(1000, 700);
        frame->show();
    }
    void Write(const char* name, const QByteArray& text) {
        QFile file(dir.filePath(QLatin1StringView(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    QString Script(int which) const { return dir.filePath(which == 0 ? "hello.nsi" : "big.nsi"); }
};

Bench& Shared() {
    static Bench bench;
    return bench;
}

void MakensisAlone(benchmark::State& state) {
    const QString script = Shared().Script(int(state.range(0)));
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(kMakensis, {"--", script});
        process.waitForFinished(-1);
    }
}

// Ctrl+F9 on the open script until the log holds the whole output.
void CompileIntoLog(benchmark::State& state) {
    Bench& bench = Shared();
    bench.frame->Documents().OpenDocument(bench.Script(int(state.range(0))), false);
    CCompileLogLogic& logic = bench.frame->Compiler().Logic();
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
    state.counters["log_lines"] = double(bench.frame->Compiler().Log()->Send(QsciScintillaBase::SCI_GETLINECOUNT));
}

}  // namespace

// 0: hello world, 1: 100,000 lines of output.
BENCHMARK(MakensisAlone)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(CompileIntoLog)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(MakensisAlone)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(CompileIntoLog)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
