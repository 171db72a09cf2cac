// Cost of one keystroke in a 10 MB and a 50 MB script: our editor view beside a bare editing component.
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"
#include "outline/ui/thumbnail_view.h"
#include "bench_support.h"

#include <QApplication>
#include <QKeyEvent>

#include <map>

namespace {

using Sc = ScintillaCall;

// A view with the script loaded from a file, shown and painted once, as the user sees it.
struct OurEditor {
    ProgramFolder folder;
    QWidget window;
    CScrivoView* view;

    explicit OurEditor(const QByteArray& text) : view(new CScrivoView(*folder.config, folder.prompter, &window)) {
        const QString path = folder.dir.filePath(QStringLiteral("big.nsi"));
        WriteFile(path, text);
        view->LoadFile(path, false);
        window.resize(900, 600);
        view->resize(900, 600);
        window.show();
        // Large scripts load in the background, read-only until then.
        while (view->IsLoading())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
    }
    ScintillaCall& Call() const { return view->Call(); }
};

// The view with the thumbnail beside it showing the same document, as the frame lays them out.
struct OurEditorAndThumbnail : OurEditor {
    CCodePaneView* thumbnail;

    explicit OurEditorAndThumbnail(const QByteArray& text)
        : OurEditor(text),
          thumbnail(new CCodePaneView(
              *folder.config, [this] { return view; }, &window)) {
        window.resize(1100, 600);
        thumbnail->setGeometry(900, 0, 200, 600);
        thumbnail->show();
        thumbnail->Attach();
        QApplication::processEvents();
    }
};

// The component alone with the same text and lexer: nothing of ours is connected to it.
struct BareEditor {
    ScintillaCall editor;

    explicit BareEditor(const QByteArray& text) {
        editor.SetCodePage(Sc::kCodePageUtf8);
        editor.SetLexer(Sc::kLexerNsis);
        editor.AddText(text);
        editor.EmptyUndoBuffer();
        editor.SetSavePoint();
        editor.Widget()->resize(900, 600);
        editor.Widget()->show();
        QApplication::processEvents();
    }
    ScintillaCall& Call() { return editor; }
};

// The bare component with change reports off, as the compile log runs.
struct QuietEditor : BareEditor {
    explicit QuietEditor(const QByteArray& text) : BareEditor(text) {
        editor.SetModEventMask(0);
    }
};

// The bare component reporting only the notices given before a change.
struct BeforeOnlyEditor : BareEditor {
    explicit BeforeOnlyEditor(const QByteArray& text) : BareEditor(text) {
        editor.SetModEventMask(Sc::kModBeforeInsert | Sc::kModBeforeDelete);
    }
};

// Built once per size and kept for every run; main drops them while the application still exists.
template <typename Editor>
std::map<int, std::unique_ptr<Editor>> g_editors;

template <typename Editor>
Editor& EditorOf(int megabytes) {
    auto& editor = g_editors<Editor>[megabytes];
    if (!editor)
        editor = std::make_unique<Editor>(NsisHeadersScript(BenchSize(qsizetype(megabytes) * 1024 * 1024)));
    return *editor;
}

enum Where { kNearStart = 0, kNearEnd = 1 };

void PlaceCaret(ScintillaCall& editor, long where) {
    const long length = editor.Length();
    editor.GotoPos(where == kNearEnd ? length - 100 : 100);
    // The first paint there styles all the text before it once; that is loading, not typing.
    editor.Widget()->viewport()->repaint();
}

// One key through the widget, as typing delivers it (event filters, key handling, notifications).
void Press(ScintillaCall& editor, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(editor.Widget(), &press);
}

// One typed character; every 64th ends the line, so no line grows without bound over many runs.
void TypeOne(ScintillaCall& editor, int& typed) {
    if (++typed % 64 == 0)
        Press(editor, Qt::Key_Return, QStringLiteral("\r"));
    else
        Press(editor, Qt::Key_A, QStringLiteral("a"));
}

// Typed text goes again, so later runs see the same script. Return may have
// added an indent too, so what goes is what the text grew by.
void RemoveTyped(ScintillaCall& editor, long lengthBefore) {
    const long count = editor.Length() - lengthBefore;
    const long caret = editor.CurrentPos();
    editor.SetSel(caret - count, caret);
    editor.ReplaceSel("");
    QApplication::processEvents();
}

template <typename Editor>
void BM_TypeChar(benchmark::State& state) {
    ScintillaCall& editor = EditorOf<Editor>(int(state.range(0))).Call();
    PlaceCaret(editor, long(state.range(1)));
    const long before = editor.Length();
    int typed = 0;
    for (auto _ : state)
        TypeOne(editor, typed);
    if (editor.Length() < before + long(state.iterations()))
        state.SkipWithError("the keys did not reach the text");
    RemoveTyped(editor, before);
}

template <typename Editor>
void BM_DeleteChar(benchmark::State& state) {
    ScintillaCall& editor = EditorOf<Editor>(int(state.range(0))).Call();
    PlaceCaret(editor, long(state.range(1)));
    const long before = editor.Length();
    // Deleting towards the nearer end would soon run out of text.
    const bool nearEnd = state.range(1) == kNearEnd;
    for (auto _ : state)
        Press(editor, nearEnd ? Qt::Key_Backspace : Qt::Key_Delete, QString());
    if (editor.Length() > before - long(state.iterations()))
        state.SkipWithError("the keys did not reach the text");
    QApplication::processEvents();
}

// A keystroke followed by the paint the event loop gives it.
template <typename Editor>
void BM_TypeCharAndPaint(benchmark::State& state) {
    ScintillaCall& editor = EditorOf<Editor>(int(state.range(0))).Call();
    PlaceCaret(editor, long(state.range(1)));
    const long before = editor.Length();
    int typed = 0;
    for (auto _ : state) {
        TypeOne(editor, typed);
        editor.Widget()->viewport()->repaint();
    }
    RemoveTyped(editor, before);
}

// Typing "; c\" and Return over and over: every line a comment that goes on
// into the next, which the component's own lexer cannot survive.
template <typename Editor>
void BM_TypeContinuedCommentAndPaint(benchmark::State& state) {
    ScintillaCall& editor = EditorOf<Editor>(int(state.range(0))).Call();
    PlaceCaret(editor, long(state.range(1)));
    const long before = editor.Length();
    const std::pair<Qt::Key, QString> keys[] = {{Qt::Key_Semicolon, QStringLiteral(";")},
                                                {Qt::Key_Space, QStringLiteral(" ")},
                                                {Qt::Key_C, QStringLiteral("c")},
                                                {Qt::Key_Backslash, QStringLiteral("\\")},
                                                {Qt::Key_Return, QStringLiteral("\r")}};
    std::size_t typed = 0;
    for (auto _ : state) {
        const auto& [key, text] = keys[typed++ % std::size(keys)];
        Press(editor, key, text);
        editor.Widget()->viewport()->repaint();
    }
    RemoveTyped(editor, before);
}

// A caret step and its paint, no edit: what the component costs for moving about.
template <typename Editor>
void BM_MoveCaretAndPaint(benchmark::State& state) {
    ScintillaCall& editor = EditorOf<Editor>(int(state.range(0))).Call();
    PlaceCaret(editor, long(state.range(1)));
    bool left = true;
    for (auto _ : state) {
        Press(editor, left ? Qt::Key_Left : Qt::Key_Right, QString());
        editor.Widget()->viewport()->repaint();
        left = !left;
    }
}

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"MB", "near_end"});
    for (int megabytes : {10, 50})
        for (int where : {kNearStart, kNearEnd})
            bench->Args({megabytes, where});
    bench->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_TypeChar<OurEditor>)->Apply(Sizes);
BENCHMARK(BM_TypeChar<OurEditorAndThumbnail>)->Apply(Sizes);
BENCHMARK(BM_TypeChar<BareEditor>)->Apply(Sizes);
BENCHMARK(BM_TypeChar<QuietEditor>)->Apply(Sizes);
BENCHMARK(BM_TypeChar<BeforeOnlyEditor>)->Apply(Sizes);
BENCHMARK(BM_DeleteChar<OurEditor>)->Apply(Sizes);
BENCHMARK(BM_DeleteChar<BareEditor>)->Apply(Sizes);
BENCHMARK(BM_TypeCharAndPaint<OurEditor>)->Apply(Sizes);
BENCHMARK(BM_TypeCharAndPaint<OurEditorAndThumbnail>)->Apply(Sizes);
BENCHMARK(BM_TypeCharAndPaint<BareEditor>)->Apply(Sizes);
BENCHMARK(BM_TypeCharAndPaint<QuietEditor>)->Apply(Sizes);
BENCHMARK(BM_TypeContinuedCommentAndPaint<OurEditor>)->Apply(Sizes);
BENCHMARK(BM_MoveCaretAndPaint<OurEditor>)->Apply(Sizes);
BENCHMARK(BM_MoveCaretAndPaint<QuietEditor>)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    const int result = RunBenchmarks(argc, argv);
    g_editors<OurEditor>.clear();
    g_editors<OurEditorAndThumbnail>.clear();
    g_editors<BareEditor>.clear();
    g_editors<QuietEditor>.clear();
    g_editors<BeforeOnlyEditor>.clear();
    return result;
}
