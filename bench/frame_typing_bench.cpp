// Typing in the whole frame at the end of a 20 MB and a 50 MB script: keystroke, caret step, Ctrl+End and undo, each until painted.
//
// Run it as the user meets it, on the X11 platform of a private X server, with
// a screen reader's bus so that every change is announced as to a reader:
//   scripts/with_reader_bus.sh xvfb-run -a env QT_QPA_PLATFORM=xcb build/frame_typing_bench
// After every operation the bench also asks what a screen reader asks (caret
// offset and the caret's line). The counter reader_bridge tells whether the
// announcements were on (1) or no reader's bus was found (0).
#include "app/ui/main_frame.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"
#include "bench_support.h"
#include "../tests/support/frame_parts.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <ctime>
#include <utility>

namespace {

enum SidePane { kOutline = 0, kThumbnail = 1 };

void AskAsAReader(ScintillaCall& call);

// The frame as the program builds it, the script open and painted, the caret at its end.
struct FrameWithScript {
    ProgramFolder folder;
    CMainFrame frame{*folder.config, folder.prompter, QUrl()};

    FrameWithScript(qsizetype bytes, SidePane pane) {
        const QString path = folder.dir.filePath(QStringLiteral("big.nsi"));
        const QByteArray text = NsisHeadersScript(bytes);
        WriteFile(path, text);
        frame.resize(1200, 800);
        frame.show();
        FrameDocuments(frame).OpenDocument(path, false);
        // The load may finish after the call returns: wait for the whole text.
        QElapsedTimer limit;
        limit.start();
        while ((!View() || View()->Call().Length() < text.size() || View()->Call().ReadOnly()) &&
               limit.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        // The outline comes with the first script; the thumbnail replaces it when asked.
        if (pane == kThumbnail && !ThumbnailShown(frame))
            frame.OnCommand(Cmd::ToggleThumbnail);
        View()->setFocus();
        WaitForPaint(Call());
        // What is not shown is styled while the program is idle; the load ends with it.
        while (Call().EndStyled() < Call().Length() && limit.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        // A reader attached from the start has had its index built by now.
        AskAsAReader(Call());
        RunUntilQuiet();
    }
    CScrivoView* View() const { return FrameActiveView(frame); }
    ScintillaCall& Call() const { return View()->Call(); }

    // A few passes of events: what the last operation posted runs, not the
    // timers that wait for the text to rest (BM_LongestStallAfterKeystroke has those).
    static void RunUntilQuiet() {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
};

// One frame at a time: the runs are registered frame by frame, and two big scripts would crowd the memory.
std::pair<int, int> g_shown;
std::unique_ptr<FrameWithScript> g_frame;

FrameWithScript& FrameOf(benchmark::State& state) {
    const std::pair<int, int> wanted{int(state.range(0)), int(state.range(1))};
    if (!g_frame || g_shown != wanted) {
        g_frame.reset();
        g_frame = std::make_unique<FrameWithScript>(BenchSize(state.range(0) << 20), SidePane(wanted.second));
        g_shown = wanted;
    }
    state.counters["reader_bridge"] = QAccessible::isActive() ? 1 : 0;
    return *g_frame;
}

// What a screen reader asks after each operation: the caret's offset and its line.
void AskAsAReader(ScintillaCall& call) {
    if (QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(call.Widget())) {
        if (QAccessibleTextInterface* reader = editor->textInterface()) {
            int start = 0;
            int end = 0;
            benchmark::DoNotOptimize(reader->textAtOffset(reader->cursorPosition(), QAccessible::LineBoundary, &start, &end));
        }
    }
}

// Runs the operation, then events until the editor has painted the result
// and a screen reader has asked about the caret.
template <typename Operation>
void DoAndPaint(FrameWithScript& frame, Operation operation) {
    ScintillaCall& call = frame.Call();
    bool painted = false;
    QObject::connect(&call, &ScintillaCall::Painted, &call, [&painted] { painted = true; }, Qt::SingleShotConnection);
    operation();
    QElapsedTimer limit;
    limit.start();
    while (!painted && limit.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    AskAsAReader(call);
}

// A key the editor handles itself, as the window system delivers it.
void PressAndPaint(FrameWithScript& frame, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    DoAndPaint(frame, [&] {
        QWidget* editor = frame.Call().Widget();
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QCoreApplication::sendEvent(editor, &release);
    });
}

qint64 ThreadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void CaretToEnd(FrameWithScript& frame) {
    frame.Call().DocumentEnd();
    frame.RunUntilQuiet();
}

// Between runs the operation's deferred work (the outline's rescan after the
// text rests, the live check) is left to happen outside the timing.
void LetDeferredWorkRun(benchmark::State& state) {
    state.PauseTiming();
    FrameWithScript::RunUntilQuiet();
    state.ResumeTiming();
}

void BM_KeystrokeAtEnd(benchmark::State& state) {
    FrameWithScript& frame = FrameOf(state);
    CaretToEnd(frame);
    const long before = frame.Call().Length();
    for (auto _ : state) {
        PressAndPaint(frame, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        LetDeferredWorkRun(state);
    }
    if (frame.Call().Length() != before + long(state.iterations()))
        state.SkipWithError("the keys did not reach the text");
    frame.Call().Undo();
    frame.RunUntilQuiet();
}

void BM_CaretStepAtEnd(benchmark::State& state) {
    FrameWithScript& frame = FrameOf(state);
    CaretToEnd(frame);
    bool left = true;
    for (auto _ : state) {
        PressAndPaint(frame, left ? Qt::Key_Left : Qt::Key_Right, Qt::NoModifier, QString());
        left = !left;
        LetDeferredWorkRun(state);
    }
}

void BM_CtrlEndFromTop(benchmark::State& state) {
    FrameWithScript& frame = FrameOf(state);
    for (auto _ : state) {
        state.PauseTiming();
        frame.Call().GotoPos(0);
        frame.RunUntilQuiet();
        state.ResumeTiming();
        PressAndPaint(frame, Qt::Key_End, Qt::ControlModifier, QString());
        LetDeferredWorkRun(state);
    }
    if (frame.Call().CurrentPos() != frame.Call().Length())
        state.SkipWithError("Ctrl+End did not reach the end");
}

// Each run types a key outside the timing and undoes it inside.
void BM_UndoAtEnd(benchmark::State& state) {
    FrameWithScript& frame = FrameOf(state);
    CaretToEnd(frame);
    const long before = frame.Call().Length();
    for (auto _ : state) {
        state.PauseTiming();
        PressAndPaint(frame, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
        frame.RunUntilQuiet();
        state.ResumeTiming();
        // Ctrl+Z is the frame's shortcut: it reaches the editor through the command.
        DoAndPaint(frame, [&frame] { FrameActions(frame.frame).Action(Cmd::Undo)->trigger(); });
        LetDeferredWorkRun(state);
    }
    if (frame.Call().Length() != before)
        state.SkipWithError("undo did not take the key back");
}

// After a keystroke the frame does its deferred work (the outline's rescan,
// the symbol index and the live check once the text rests, 0.8 s later): the
// time is the longest the event loop was busy in one go over the next 1.5 s,
// which is how long a key typed then would wait. On a loaded machine that
// includes time the thread was not running; longest_cpu_ms leaves it out.
void BM_LongestStallAfterKeystroke(benchmark::State& state) {
    FrameWithScript& frame = FrameOf(state);
    CaretToEnd(frame);
    double longestCpuMs = 0;
    for (auto _ : state) {
        PressAndPaint(frame, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
        qint64 longestNs = 0;
        qint64 longestCpuNs = 0;
        QElapsedTimer window;
        window.start();
        while (window.elapsed() < 1500) {
            QElapsedTimer pass;
            pass.start();
            const qint64 cpuBefore = ThreadCpuNs();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            longestCpuNs = std::max(longestCpuNs, ThreadCpuNs() - cpuBefore);
            longestNs = std::max(longestNs, pass.nsecsElapsed());
        }
        state.SetIterationTime(double(longestNs) / 1e9);
        longestCpuMs = std::max(longestCpuMs, double(longestCpuNs) / 1e6);
    }
    state.counters["longest_cpu_ms"] = longestCpuMs;
    frame.Call().Undo();
    frame.RunUntilQuiet();
}

// Every operation on one frame before the next frame is built.
void RegisterFrameByFrame() {
    const std::pair<const char*, void (*)(benchmark::State&)> operations[] = {
        {"BM_CtrlEndFromTop", BM_CtrlEndFromTop},
        {"BM_KeystrokeAtEnd", BM_KeystrokeAtEnd},
        {"BM_CaretStepAtEnd", BM_CaretStepAtEnd},
        {"BM_UndoAtEnd", BM_UndoAtEnd},
    };
    for (int megabytes : {20, 50})
        for (int pane : {kOutline, kThumbnail}) {
            for (const auto& [name, operation] : operations)
                benchmark::RegisterBenchmark(name, operation)
                    ->ArgNames({"MB", "thumbnail"})
                    ->Args({megabytes, pane})
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(SmokeRun() ? 2 : 20);
            benchmark::RegisterBenchmark("BM_LongestStallAfterKeystroke", BM_LongestStallAfterKeystroke)
                ->ArgNames({"MB", "thumbnail"})
                ->Args({megabytes, pane})
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(SmokeRun() ? 1 : 5);
        }
}

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    // Without a reader's bus this still tells the editor's activation observers, as a reader attaching does.
    QAccessible::setActive(true);
    RegisterFrameByFrame();
    const int result = RunBenchmarks(argc, argv);
    g_frame.reset();
    return result;
}
