// A large installer, 10,000 files in 50 groups: its script generation, and Finish to the new document shown.
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "editor/ui/scrivo_view.h"
#include "wizard/core/install_entries.h"
#include "wizard/core/script_generator.h"
#include "wizard/core/shortcut_rules.h"
#include "wizard/ui/main_dlg.h"
#include "wizard/ui/wizard_controller.h"
#include "bench_support.h"
#include "../tests/support/frame_parts.h"

#include <QApplication>

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
            files += FileEntries(
                QStringLiteral("/src/g%1/d%2/file%3.%4").arg(g).arg(f / 20).arg(f).arg(f % 50 ? "dat" : "exe"), dest,
                mode);
        }
        AddEntries(group, files);
        data.groups.append(group);
    }
    EnterShortcutPage(data);
    return data;
}

void BM_GenerateScript(benchmark::State& state) {
    const WizardData data = LargeInstaller(static_cast<int>(state.range(0)), static_cast<int>(BenchSize(state.range(1))));
    qsizetype size = 0;
    for (auto _ : state) {
        const QString script = GenerateScript(data);
        size = script.size();
        benchmark::DoNotOptimize(script.constData());
    }
    state.counters["chars"] = static_cast<double>(size);
}

BENCHMARK(BM_GenerateScript)->Args({50, 200})->Unit(benchmark::kMillisecond);

// From the press of Finish on the end page to the new document's first paint in the frame.
void BM_FinishToNewDocumentShown(benchmark::State& state) {
    ProgramFolder folder;
    CMainFrame frame(*folder.config, folder.prompter, QUrl());
    frame.resize(1000, 700);
    frame.show();
    WizardController* controller = frame.findChild<WizardController*>();
    const WizardData data = LargeInstaller(static_cast<int>(state.range(0)), static_cast<int>(BenchSize(state.range(1))));
    qsizetype lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CMainDlg wizard(data, InstalledNsis{}, folder.prompter, &frame);
        QObject::connect(&wizard, &QDialog::accepted, controller, [&] { controller->OpenResult(wizard.Result()); });
        wizard.show();
        while (wizard.PageIndex() < wizard.PageCount() - 1)
            wizard.Next();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        wizard.Finish();
        CScrivoView* view = FrameDocuments(frame).ActiveView();
        WaitForPaint(view->Call());

        state.PauseTiming();
        lines = view->Call().LineCount();
        folder.prompter.QueueAnswer(PromptAnswer::No);  // close the new document without saving it
        FrameDocuments(frame).CloseTab(FrameDocuments(frame).ActiveIndex());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_FinishToNewDocumentShown)->Args({50, 200})->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
