// Full styling of a 10 MB script: our NSIS lexer alone and through the component, beside the component's own NSIS lexer.
#include "nsis/core/nsis_lexer.h"
#include "editor/ui/nsis_styler.h"
#include "editor/ui/scintilla_call.h"
#include "bench_support.h"

#include <QApplication>

#include <algorithm>

namespace {

using Sc = ScintillaCall;

const qsizetype kScriptBytes = BenchSize(10 * 1024 * 1024);

const QByteArray& Script() {
    static const QByteArray script = NsisHeadersScript(kScriptBytes);
    return script;
}

// The shipped keyword lists, as the views take them from the program folder.
QStringList KeywordLists() {
    static ProgramFolder folder;
    QStringList lists;
    for (int set = 0; set < NsisKeywords::kSets; ++set)
        lists << folder.config->KeywordsFor(kNsisLanguageId, set).value_or(QString());
    return lists;
}

std::string_view View(const QByteArray& bytes) { return {bytes.constData(), std::size_t(bytes.size())}; }

// The component's lexer aborts on a ';' comment ending in '\': refuse text that has one.
bool SafeForTheComponentsLexer(const QByteArray& text) {
    const NsisLexResult result = LexNsis(View(text), {}, NsisKeywords());
    return std::none_of(result.lineEndStates.begin(), result.lineEndStates.end(),
                        [](const NsisLexState& state) { return state.mode == NsisLineMode::LineComment; });
}

void BM_OurLexerAlone(benchmark::State& state) {
    NsisKeywords keywords;
    const QStringList lists = KeywordLists();
    for (int set = 0; set < NsisKeywords::kSets; ++set)
        keywords.SetList(set, lists[set].toStdString());
    for (auto _ : state) {
        const NsisLexResult result = LexNsis(View(Script()), {}, keywords);
        benchmark::DoNotOptimize(result.styles.data());
    }
    state.SetBytesProcessed(state.iterations() * Script().size());
}
BENCHMARK(BM_OurLexerAlone)->Unit(benchmark::kMillisecond);

// A bare component holding the script, styled from the start on every run.
void ColouriseAll(benchmark::State& state, ScintillaCall& editor) {
    editor.SetCodePage(Sc::kCodePageUtf8);
    editor.AddText(Script());
    for (auto _ : state)
        editor.Colourise(0, -1);
    state.SetBytesProcessed(state.iterations() * Script().size());
}

void BM_OurStylerInTheComponent(benchmark::State& state) {
    ScintillaCall editor;
    auto* styler = new NsisStyler(editor);
    const QStringList lists = KeywordLists();
    for (int set = 0; set < NsisKeywords::kSets; ++set)
        styler->SetKeywords(set, lists[set]);
    ColouriseAll(state, editor);
}
BENCHMARK(BM_OurStylerInTheComponent)->Unit(benchmark::kMillisecond);

void BM_ComponentsNsisLexer(benchmark::State& state) {
    if (!SafeForTheComponentsLexer(Script())) {
        state.SkipWithError("the script has a comment the component's lexer aborts on");
        return;
    }
    ScintillaCall editor;
    editor.SetLexer(Sc::kLexerNsis);
    const QStringList lists = KeywordLists();
    for (int set = 0; set < NsisKeywords::kSets; ++set)
        editor.SetKeyWords(set, lists[set].toLower().toUtf8());
    editor.SetProperty("nsis.ignorecase", "1");
    editor.SetProperty("fold", "1");
    ColouriseAll(state, editor);
}
BENCHMARK(BM_ComponentsNsisLexer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
