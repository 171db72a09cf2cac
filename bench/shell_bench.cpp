// Start-up and opening speed of the editor: frame to first paint, and large scripts to their first coloured screen.
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"
#include "bench_support.h"
#include "../tests/support/frame_parts.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <malloc.h>

namespace {

// NSIS's own headers repeated with Chinese comment lines, as a script of the given size.
QString ScriptOfSize(const QTemporaryDir& dir, qsizetype bytes) {
    QByteArray base;
    QDirIterator it(QStringLiteral("/usr/share/nsis/Include"), {QStringLiteral("*.nsh")}, QDir::Files);
    int line = 0;
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        for (const QByteArray& text : file.readAll().split('\n')) {
            base += text.trimmed() + "\r\n";
            if (++line % 40 == 0)
                base += "; 中文注释：安装程序的说明文字\r\n";
        }
    }
    QByteArray text;
    text.reserve(bytes);
    while (text.size() < bytes)
        text += base;
    text.truncate(bytes);
    const QString path = dir.filePath(QStringLiteral("big-%1.nsi").arg(bytes));
    WriteFile(path, text);
    return path;
}

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

void BM_OpenScriptToFirstPaint(benchmark::State& state) {
    ProgramFolder folder;
    const QString path = ScriptOfSize(folder.dir, BenchSize(state.range(0) << 20));
    CMainFrame frame(*folder.config, folder.prompter, QUrl());
    frame.resize(1000, 700);
    frame.show();
    FrameDocuments(frame).NewBlank();
    WaitForPaint(FrameDocuments(frame).ActiveView()->Call());
    long growthKb = 0;
    for (auto _ : state) {
        const long before = StatusKb("VmRSS:");
        FrameDocuments(frame).OpenDocument(path, false);
        WaitForPaint(FrameDocuments(frame).ActiveView()->Call());
        state.PauseTiming();
        growthKb = std::max(growthKb, StatusKb("VmRSS:") - before);
        FrameDocuments(frame).CloseTab(FrameDocuments(frame).ActiveIndex());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rss_growth_per_file_size"] = double(growthKb) / double(state.range(0) << 10);
}
BENCHMARK(BM_OpenScriptToFirstPaint)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

// The peer: the same bytes read and handed to a bare component, no detection or conversion.
void BM_BareReadAndShow(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = ScriptOfSize(dir, BenchSize(state.range(0) << 20));
    for (auto _ : state) {
        ScintillaCall editor;
        editor.Widget()->resize(1000, 700);
        editor.Widget()->show();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        editor.SetCodePage(ScintillaCall::kCodePageUtf8);
        editor.SetLexer(ScintillaCall::kLexerNsis);
        editor.AddText(bytes);
        WaitForPaint(editor);
    }
}
BENCHMARK(BM_BareReadAndShow)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
