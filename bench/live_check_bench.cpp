// The live check: one check of a 1,000-line MUI2 script (time and CPU), last keystroke to marks, a keystroke that cancels a check.
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "compiler/core/live_check.h"
#include "compiler/ui/live_check_controller.h"
#include "editor/ui/diagnostic_marks.h"
#include "editor/ui/scrivo_view.h"
#include "bench_support.h"
#include "../tests/support/frame_parts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <sys/resource.h>

namespace {

// MUI2 pages and a section, filled to 1,000 lines.
QByteArray MuiScript() {
    QByteArray text = "!include \"MUI2.nsh\"\n!include \"LogicLib.nsh\"\n"
                      "Name Bench\nOutFile mui.exe\nRequestExecutionLevel user\n"
                      "InstallDir \"$PROGRAMFILES\\Bench\"\n"
                      "!insertmacro MUI_PAGE_WELCOME\n!insertmacro MUI_PAGE_DIRECTORY\n"
                      "!insertmacro MUI_PAGE_INSTFILES\n!insertmacro MUI_LANGUAGE \"SimpChinese\"\n"
                      "Section\n";
    for (int line = 12; line < 999; line += 3)
        text += "  ${If} $0 == \"" + QByteArray::number(line) + "\"\n    DetailPrint \"line\"\n  ${EndIf}\n";
    return text + "SectionEnd\n";
}

QString MuiScriptPath(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("mui.nsi"));
    WriteFile(path, MuiScript());
    return path;
}

double ChildCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3
        + usage.ru_stime.tv_usec / 1e3;
}

template <typename Condition>
bool RunUntil(Condition condition, int limitMs = 60000) {
    QElapsedTimer limit;
    limit.start();
    // Sleeps between events, so this process's CPU time is the program's own.
    QTimer wake;
    wake.start(50);
    while (!condition() && limit.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return condition();
}

// Both passes of the MUI2 script: wall time, and makensis's CPU per check.
void BM_OneCheckOfMuiScript(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = MuiScriptPath(dir);
    const QByteArray text = MuiScript();
    CLiveCheck check(60000);
    bool done = false;
    bool full = false;
    QObject::connect(&check, &CLiveCheck::Finished, [&](const LiveCheckResult& result) {
        done = true;
        full = result.fullPass;
    });
    const double cpuBefore = ChildCpuMs();
    for (auto _ : state) {
        done = false;
        check.Start({text, path, CompileSettings{kMakensis, {}, false, false, 0}});
        if (!RunUntil([&] { return done; }) || !full)
            state.SkipWithError("the check did not run both passes");
    }
    state.counters["makensis_cpu_ms"] = (ChildCpuMs() - cpuBefore) / double(state.iterations());
}

void SendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

struct FrameWithScript {
    ProgramFolder folder;
    CMainFrame frame{*folder.config, folder.prompter, QUrl()};
    CScrivoView* view = nullptr;

    FrameWithScript() {
        frame.resize(1000, 700);
        frame.show();
        FrameDocuments(frame).OpenDocument(MuiScriptPath(folder.dir), false);
        view = FrameDocuments(frame).ActiveView();
        WaitForPaint(view->Call());
        view->Call().DocumentEnd();
    }
    const CLiveCheck& Check() const { return frame.findChild<LiveCheckController*>()->Check(); }
};

// A wrong letter typed on the last line until its error mark is on screen,
// through the rest after typing and both passes; undone between runs.
void BM_LastKeystrokeToMarks(benchmark::State& state) {
    FrameWithScript shown;
    CDiagnosticMarks& marks = CDiagnosticMarks::Of(*shown.view);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        SendKey(shown.view->Call().Widget(), Qt::Key_X, QStringLiteral("X"));
        const bool marked = RunUntil([&] { return !marks.IsEmpty(); });
        WaitForPaint(shown.view->Call());
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        shown.view->Call().Undo();
        if (!marked || !RunUntil([&] { return marks.IsEmpty() && !shown.Check().IsRunning(); }))
            state.SkipWithError("no mark came or went");
    }
}

// One keystroke while a check runs: the check is killed before the key is typed.
void BM_KeystrokeCancellingACheck(benchmark::State& state) {
    FrameWithScript shown;
    SendKey(shown.view->Call().Widget(), Qt::Key_Semicolon, QStringLiteral(";"));
    for (auto _ : state) {
        shown.view->Call().Undo();
        if (!RunUntil([&] { return shown.Check().ProcessId() > 0; })) {
            state.SkipWithError("no check started");
            break;
        }
        QElapsedTimer clock;
        clock.start();
        SendKey(shown.view->Call().Widget(), Qt::Key_Semicolon, QStringLiteral(";"));
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}
}  // namespace

BENCHMARK(BM_OneCheckOfMuiScript)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_LastKeystrokeToMarks)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_KeystrokeCancellingACheck)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(20);

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
