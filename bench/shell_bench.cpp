// Start-up speed of the editor: the empty frame to its first paint, beside the bare component (large files: open_bench).
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"
#include "bench_support.h"
#include "../tests/support/frame_parts.h"

#include <QApplication>

namespace {

void BM_EmptyEditorToFirstPaint(benchmark::State& state) {
    ProgramFolder folder;
    for (auto _ : state) {
        CMainFrame frame(*folder.config, folder.prompter, QUrl());
        frame.resize(1000, 700);
        frame.show();
        FrameDocuments(frame).NewBlank();
        WaitForPaint(FrameDocuments(frame).ActiveView()->Call());
    }
}
BENCHMARK(BM_EmptyEditorToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

// The peer: the bare editing component, no frame, no configuration.
void BM_BareComponentToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        ScintillaCall editor;
        editor.Widget()->resize(1000, 700);
        editor.Widget()->show();
        WaitForPaint(editor);
    }
}
BENCHMARK(BM_BareComponentToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
