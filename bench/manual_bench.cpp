// Indexing the installed NSIS manual: built cold from its HTML pages, and loaded from the cache.
#include "editor/core/manual_cache.h"
#include "editor/core/manual_index.h"
#include "bench_support.h"

#include <QCoreApplication>

namespace {

const QString kManual = QStringLiteral("/usr/share/doc/nsis/Docs");

bool ManualInstalled(benchmark::State& state) {
    if (BuildManualIndex(kManual).IsAvailable())
        return true;
    state.SkipWithError("nsis-doc is not installed");
    return false;
}

void BM_ManualIndexBuildCold(benchmark::State& state) {
    if (!ManualInstalled(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildManualIndex(kManual));
    state.counters["sections"] = double(BuildManualIndex(kManual).Sections().size());
}
BENCHMARK(BM_ManualIndexBuildCold)->Unit(benchmark::kMillisecond);

// What each start after the first does, off the UI thread: check the stamp and read the cache.
void BM_ManualIndexFromCache(benchmark::State& state) {
    if (!ManualInstalled(state))
        return;
    QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("manual-index.bin"));
    LoadOrBuildManualIndex(kManual, cache);
    for (auto _ : state) {
        const auto index = LoadManualIndex(cache, kManual, ManualStamp(kManual));
        if (!index) {
            state.SkipWithError("the cache was not used");
            break;
        }
        benchmark::DoNotOptimize(index);
    }
    state.counters["cache_bytes"] = double(QFileInfo(cache).size());
}
BENCHMARK(BM_ManualIndexFromCache)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
