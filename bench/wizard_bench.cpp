// Script generation for a large installer: 10,000 files in 50 groups.
#include "wizard/core/install_entries.h"
#include "wizard/core/script_generator.h"
#include "wizard/core/shortcut_rules.h"

#include <benchmark/benchmark.h>

namespace {
WizardData LargeInstaller(int groupCount, int filesPerGroup) {
    WizardData data;
    data.appName = QStringLiteral("Large");
    data.allowComponents = true;
    data.groups.clear();
    for (int g = 0; g < groupCount; ++g) {
        InstallGroup group{QStringLiteral("Group %1").arg(g), QStringLiteral("Files of group %1").arg(g), {}};
        QList<InstallFile> files;
        for (int f = 0; f < filesPerGroup; ++f) {
            // A new destination every 20 files and a changing mode keep both trackers busy.
            const QString dest = QStringLiteral("$INSTDIR\\g%1\\d%2").arg(g).arg(f / 20);
            const auto mode = static_cast<OverwriteMode>(f % 3 == 0 ? 3 : 0);
            files += FileEntries(QStringLiteral("/src/g%1/d%2/file%3.%4").arg(g).arg(f / 20).arg(f).arg(f % 50 ? "dat" : "exe"),
                                 dest, mode);
        }
        AddEntries(group, files);
        data.groups.append(group);
    }
    EnterShortcutPage(data);
    return data;
}

void BM_GenerateScript(benchmark::State& state) {
    const WizardData data = LargeInstaller(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    qsizetype size = 0;
    for (auto _ : state) {
        const QString script = GenerateScript(data);
        size = script.size();
        benchmark::DoNotOptimize(script.constData());
    }
    state.counters["chars"] = static_cast<double>(size);
}
}  // namespace

BENCHMARK(BM_GenerateScript)->Args({50, 200})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
