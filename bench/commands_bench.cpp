// Comment walk and replace-all on large scripts, in the logic alone and on a real editing component.
#include "editor/core/comment_lines.h"
#include "editor/ui/edit_commands.h"
#include "editor/ui/editor_search.h"
#include "editor/ui/scintilla_call.h"
#include "bench_support.h"

#include <QApplication>

namespace {

QByteArray Script(int lines) {
    QByteArray text;
    text.reserve(qsizetype(lines) * 24);
    for (int i = 0; i < lines; ++i)
        text += "  DetailPrint \"a b c\"\r\n";
    return text;
}

// Fresh text, no undo history, in the editor's UTF-8 mode.
void Refill(ScintillaCall& editor, const QByteArray& text) {
    editor.SetCodePage(ScintillaCall::kCodePageUtf8);
    editor.SetText(text);
    editor.EmptyUndoBuffer();
}

void BM_CommentLinesLogic(benchmark::State& state) {
    const QByteArray text = Script(int(BenchSize(state.range(0))));
    const std::string_view view(text.constData(), std::size_t(text.size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(CommentLines(view, 0, long(text.size()), CommentMode::Comment));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_CommentLinesLogic)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_CommentLinesEditor(benchmark::State& state) {
    const QByteArray text = Script(int(BenchSize(state.range(0))));
    ScintillaCall editor;
    for (auto _ : state) {
        state.PauseTiming();
        Refill(editor, text);
        editor.SelectAll();
        state.ResumeTiming();
        EditCommands::CommentLines(editor, CommentMode::Comment);
    }
}
BENCHMARK(BM_CommentLinesEditor)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Every "a" becomes "aa": each replacement is its own undo step, as the user expects of Replace All.
void BM_ReplaceAllEditor(benchmark::State& state) {
    const QByteArray text = Script(int(BenchSize(state.range(0))));
    ScintillaCall editor;
    for (auto _ : state) {
        state.PauseTiming();
        Refill(editor, text);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ReplaceAllInEditor(editor, "a", int(state.range(1)), "aa", 0, editor.Length()));
    }
}
BENCHMARK(BM_ReplaceAllEditor)
    ->Args({1000, 0})
    ->Args({100000, 0})
    ->Args({100000, ScintillaCall::kFindMatchCase})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
