// Opening a large script as the user meets it: the frame to its first painted window and to the whole text shown, beside the bare component's load in one call, with memory.
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"
#include "bench_support.h"
#include "../tests/support/frame_parts.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <malloc.h>

namespace {

double MsSince(const QElapsedTimer& clock) { return double(clock.nsecsElapsed()) / 1e6; }

double Mb(long kb) { return double(kb) / 1024.0; }

// Runs the event loop as the program does (asleep while nothing happens,
// leaving the processor to the loading thread) until the view has painted
// once its background load has ended.
double WaitForShownText(CScrivoView& view, const QElapsedTimer& clock) {
    QEventLoop loop;
    bool loaded = !view.IsLoading();
    double loadedMs = MsSince(clock);
    QObject::connect(&view, &CScrivoView::LoadFinished, &loop, [&] {
        loaded = true;
        loadedMs = MsSince(clock);
    });
    QObject::connect(&view.Call(), &ScintillaCall::Painted, &loop, [&] {
        if (loaded)
            loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    view.Call().Widget()->viewport()->update();
    loop.exec();
    return loadedMs;
}

// The peer: a bare component, shown, given the file's bytes in one call.
double BareLoadMs(const QString& path) {
    QElapsedTimer clock;
    clock.start();
    ScintillaCall editor;
    editor.Widget()->resize(1000, 700);
    editor.Widget()->show();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    editor.SetCodePage(ScintillaCall::kCodePageUtf8);
    editor.SetText(file.readAll());
    WaitForPaint(editor);
    return MsSince(clock);
}

// Memory of the whole frame: an empty document first, then the script
// opened beside it, read and shown, the outline and thumbnail caught up.
void MeasureMemory(benchmark::State& state, const QString& path, ProgramFolder& folder, double fileMb) {
    CMainFrame frame(*folder.config, folder.prompter, QUrl());
    frame.resize(1000, 700);
    frame.show();
    FrameDocuments(frame).NewBlank();
    WaitForPaint(FrameDocuments(frame).ActiveView()->Call());
    malloc_trim(0);
    const long emptyKb = StatusKb("VmRSS:");
    ResetPeakResident();
    QElapsedTimer clock;
    clock.start();
    FrameDocuments(frame).OpenDocument(path, false);
    WaitForShownText(*FrameDocuments(frame).ActiveView(), clock);
    // The load's own part: the outline and thumbnail follow only now.
    state.counters["load_peak_x_file"] = Mb(StatusKb("VmHWM:") - emptyKb) / fileMb;
    QEventLoop settle;
    QTimer::singleShot(BenchSeconds(1.5) * 1000, &settle, &QEventLoop::quit);
    settle.exec();
    malloc_trim(0);
    state.counters["empty_mb"] = Mb(emptyKb);
    state.counters["peak_x_file"] = Mb(StatusKb("VmHWM:") - emptyKb) / fileMb;
    state.counters["steady_x_file"] = Mb(StatusKb("VmRSS:") - emptyKb) / fileMb;
}

// Each iteration runs the bare load and the frame's open one after the
// other, so both meet the same load on the machine.
void BM_OpenLargeScript(benchmark::State& state) {
    ProgramFolder folder;
    const qsizetype bytes = BenchSize(state.range(0) << 20);
    const QString path = folder.dir.filePath(QStringLiteral("big.nsi"));
    QByteArray text = NsisHeadersScript(bytes);
    text.truncate(bytes);
    WriteFile(path, text);
    text = {};
    double bare = 0, window = 0, attached = 0, full = 0;
    for (auto _ : state) {
        bare += BareLoadMs(path);
        QElapsedTimer clock;
        clock.start();
        CMainFrame frame(*folder.config, folder.prompter, QUrl());
        frame.resize(1000, 700);
        frame.show();
        FrameDocuments(frame).OpenDocument(path, false);
        CScrivoView& view = *FrameDocuments(frame).ActiveView();
        WaitForPaint(view.Call());
        window += MsSince(clock);
        attached += WaitForShownText(view, clock);
        full += MsSince(clock);
        if (view.Call().Length() != bytes)
            state.SkipWithError("the script did not load whole");
    }
    const double n = double(state.iterations());
    const double fileMb = double(bytes) / double(1 << 20);
    state.counters["bare_ms"] = bare / n;
    state.counters["window_ms"] = window / n;
    state.counters["attached_ms"] = attached / n;
    state.counters["full_ms"] = full / n;
    state.counters["window_to_bare"] = window / bare;
    state.counters["full_to_bare"] = full / bare;
    MeasureMemory(state, path, folder, fileMb);
}
BENCHMARK(BM_OpenLargeScript)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
