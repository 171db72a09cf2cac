// What a screen reader's questions cost at the end of a 50 MB script: caret offset and the caret's line, beside counting from the start.
#include "editor/ui/nsis_text_view.h"
#include "bench_support.h"

#include <QAccessible>
#include <QApplication>

namespace {


// A view holding the script, its caret one line before the end.
struct ScriptView {
    ProgramFolder folder;
    CNsisTextView view{*folder.config, nullptr};

    explicit ScriptView(qsizetype bytes) {
        const QByteArray script = NsisHeadersScript(BenchSize(bytes)) + "; 安装程序 \xF0\x9F\x98\x80\nSectionEnd\n";
        view.Call().AppendText(script);
        view.Call().GotoPos(view.Call().PositionFromLine(view.Call().LineCount() - 3));
    }
};

// After each keystroke a reader asks where the caret is and what its line says.
void BM_ReaderQuestionsAtTheEnd(benchmark::State& state) {
    ScriptView script(state.range(0) << 20);
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(script.view.Call().Widget())->textInterface();
    for (auto _ : state) {
        script.view.Call().CharRight();
        int start = 0;
        int end = 0;
        benchmark::DoNotOptimize(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end));
    }
}
BENCHMARK(BM_ReaderQuestionsAtTheEnd)->Arg(50)->Unit(benchmark::kMicrosecond);

// The peer: the caret's offset counted from the start, as the component's own interface does.
void BM_CountFromTheStart(benchmark::State& state) {
    ScriptView script(state.range(0) << 20);
    for (auto _ : state) {
        script.view.Call().CharRight();
        benchmark::DoNotOptimize(script.view.Call().CountCharacters(0, script.view.Call().CurrentPos()));
    }
}
BENCHMARK(BM_CountFromTheStart)->Arg(50)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
