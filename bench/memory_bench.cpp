// Memory of the whole frame with a 50 MB script open: steady and peak resident size beside the empty editor's.
#include "app/ui/main_frame.h"
#include "editor/ui/scrivo_view.h"
#include "outline/core/outline_scanner.h"
#include "outline/ui/code_tree_ctrl.h"
#include "outline/ui/outline_model.h"
#include "platform/heap_release.h"
#include "bench_support.h"
#include "../tests/support/frame_parts.h"

#include <QApplication>
#include <QThread>

namespace {

constexpr double kMiB = 1024.0;  // kilobytes per MiB

template <typename Condition>
bool RunUntil(Condition condition, int limitMs = 120000) {
    QElapsedTimer limit;
    limit.start();
    while (!condition() && limit.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// Resident size once it has stopped moving for a second: the frame's own
// timers, the outline worker and the memory it gives back have all run.
long SteadyResidentKb() {
    long last = StatusKb("VmRSS:");
    QElapsedTimer still;
    still.start();
    QElapsedTimer limit;
    limit.start();
    while (still.elapsed() < 1000 && limit.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
        const long now = StatusKb("VmRSS:");
        if (std::abs(now - last) > 256) {
            last = now;
            still.restart();
        }
    }
    return last;
}

int TopLevelEntries(const QByteArray& text) {
    int count = 0;
    for (const OutlineItem& item : ScanOutline(std::string_view(text.constData(), std::size_t(text.size()))))
        count += item.depth == 0 && !item.IsGroupEnd();
    return count;
}

// Run it on the X11 platform as the user meets it: xvfb-run -a env QT_QPA_PLATFORM=xcb build/memory_bench
void BM_FrameWithBigScript(benchmark::State& state) {
    ProgramFolder folder;
    const QString path = folder.dir.filePath(QStringLiteral("big.nsi"));
    qsizetype fileBytes = 0;
    int entries = 0;
    {
        const QByteArray text = NsisHeadersScript(BenchSize(50 << 20));
        fileBytes = text.size();
        entries = TopLevelEntries(text);
        WriteFile(path, text);
    }
    ReleaseFreedHeap();
    for (auto _ : state) {
        CMainFrame frame(*folder.config, folder.prompter, QUrl());
        frame.resize(1000, 700);
        frame.show();
        FrameDocuments(frame).NewBlank();
        WaitForPaint(FrameDocuments(frame).ActiveView()->Call());
        const long emptyKb = SteadyResidentKb();

        ResetPeakResident();
        const long peakBeforeKb = StatusKb("VmHWM:");
        if (!FrameDocuments(frame).OpenDocument(path, false)) {
            state.SkipWithError("the script did not open");
            return;
        }
        CCodeTreeCtrl& tree = *FrameSidePane(frame).Tree();
        // The tree is told of the first entries, and of more as it lays out or scrolls to the end.
        const int shown = std::min(entries, COutlineModel::kTopRowsPerFetch);
        if (!RunUntil([&] { return tree.model()->rowCount() >= shown; })) {
            state.SkipWithError("the outline did not fill");
            return;
        }
        // A paint of the text as it stands now, the outline beside it.
        ScintillaCall& editor = FrameDocuments(frame).ActiveView()->Call();
        editor.Widget()->viewport()->update();
        WaitForPaint(editor);
        const long steadyKb = SteadyResidentKb();
        const long peakKb = StatusKb("VmHWM:");

        const double fileMiB = double(fileBytes) / (1024.0 * 1024.0);
        state.counters["file_MiB"] = fileMiB;
        state.counters["empty_MiB"] = double(emptyKb) / kMiB;
        state.counters["steady_MiB"] = double(steadyKb) / kMiB;
        state.counters["peak_MiB"] = double(peakKb) / kMiB;
        // Goals: steady within 2.5 and peak within 3 times the file above the empty editor.
        state.counters["steady_over_empty_per_file"] = double(steadyKb - emptyKb) / kMiB / fileMiB;
        state.counters["peak_over_empty_per_file"] = double(std::max(peakKb, peakBeforeKb) - emptyKb) / kMiB / fileMiB;
        state.counters["outline_entries"] = entries;
    }
}
BENCHMARK(BM_FrameWithBigScript)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    LimitRetainedHeap();  // as the program does first thing
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
