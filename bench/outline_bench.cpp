// Outline speed and memory on a 10 MB script, beside universal-ctags on the same file.
#include "outline/core/outline_scanner.h"
#include "outline/ui/code_tree_ctrl.h"
#include "bench_support.h"

#include <QApplication>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>

#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

const qsizetype kScriptBytes = BenchSize(10 * 1024 * 1024);

QString IncludeDir() {
    QProcess makensis;
    makensis.start(QStringLiteral("makensis"), {QStringLiteral("-HDRINFO")});
    makensis.waitForFinished(30000);
    const auto match = QRegularExpression(QStringLiteral("NSISDIR=([^,\\r\\n]+)"))
                           .match(QString::fromLocal8Bit(makensis.readAllStandardOutput()));
    return (match.hasMatch() ? match.captured(1).trimmed() : QStringLiteral("/usr/share/nsis"))
        + QStringLiteral("/Include");
}

// NSIS's own headers repeated to 10 MB, kept in memory and in a file for ctags.
struct Script {
    QTemporaryDir dir;
    QString path;
    QByteArray text;

    Script() {
        QByteArray headers;
        QDirIterator files(IncludeDir(), {QStringLiteral("*.nsh")}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly))
                headers += file.readAll() + "\n";
        }
        if (headers.isEmpty())
            headers = "Section Main\nSectionEnd\nFunction F\nFunctionEnd\n";
        while (text.size() < kScriptBytes)
            text += headers;
        path = dir.filePath(QStringLiteral("big.nsi"));
        WriteFile(path, text);
    }
};

Script& TheScript() {
    static Script script;
    return script;
}

std::string_view View(const QByteArray& bytes) { return {bytes.constData(), std::size_t(bytes.size())}; }

void BM_ScanOutline(benchmark::State& state) {
    const QByteArray& text = TheScript().text;
    std::size_t items = 0;
    for (auto _ : state) {
        const OutlineItems result = ScanOutline(View(text));
        items = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
    state.counters["items"] = double(items);
    state.counters["file_MB"] = double(text.size()) / (1024 * 1024);
}
BENCHMARK(BM_ScanOutline)->Unit(benchmark::kMillisecond);

// Peak resident growth of one scan, measured from a reset high-water mark.
void BM_ScanOutlinePeakMemory(benchmark::State& state) {
    const QByteArray& text = TheScript().text;
    long peakKb = 0;
    for (auto _ : state) {
        malloc_trim(0);
        ResetPeakResident();
        const long baseKb = StatusKb("VmRSS:");
        {
            const OutlineItems result = ScanOutline(View(text));
            benchmark::DoNotOptimize(result.data());
            peakKb = StatusKb("VmHWM:") - baseKb;
        }
    }
    state.counters["peak_bytes"] = double(peakKb) * 1024;
    state.counters["peak_per_file_size"] = double(peakKb) * 1024 / double(text.size());
}
BENCHMARK(BM_ScanOutlinePeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// ctags as the outline's yardstick: same file, output to a file, its own peak memory.
void BM_Ctags(benchmark::State& state) {
    const Script& script = TheScript();
    const QByteArray file = script.path.toLocal8Bit();
    const QByteArray tags = script.dir.filePath(QStringLiteral("tags")).toLocal8Bit();
    long maxRssKb = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, tags.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const char* argv[] = {"ctags", "--languages=NSIS", "--sort=no", "--excmd=number", "-f",
                              "-",     file.constData(),   nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "ctags", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            state.SkipWithError("ctags could not be started");
            return;
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        maxRssKb = std::max(maxRssKb, usage.ru_maxrss);
        cpuSeconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    QFile out(QString::fromLocal8Bit(tags));
    out.open(QIODevice::ReadOnly);
    state.counters["tags"] = double(out.readAll().count('\n'));
    // The child's own CPU time, which the benchmark's CPU column cannot see.
    state.counters["ctags_cpu_ms"] = cpuSeconds * 1000 / double(state.iterations());
    state.counters["maxrss_bytes"] = double(maxRssKb) * 1024;
    state.counters["maxrss_per_file_size"] = double(maxRssKb) * 1024 / double(script.text.size());
}
BENCHMARK(BM_Ctags)->Unit(benchmark::kMillisecond)->Iterations(3);

// The UI thread's share of a pass while typing: the text copy...
void BM_TextCopy50MB(benchmark::State& state) {
    const QByteArray text = TheScript().text.repeated(5);
    for (auto _ : state) {
        QByteArray copy(text.constData(), text.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}
BENCHMARK(BM_TextCopy50MB)->Unit(benchmark::kMillisecond);

// ...and the tree update when the structure did not change.
void BM_TreeUpdateUnchanged(benchmark::State& state) {
    CCodeTreeCtrl tree(nullptr, nullptr);
    const OutlineItems items = ScanOutline(View(TheScript().text));
    tree.ApplyItems(items);
    for (auto _ : state)
        tree.ApplyItems(items);
    state.counters["items"] = double(items.size());
}
BENCHMARK(BM_TreeUpdateUnchanged)->Unit(benchmark::kMillisecond);

// A first pass fills an empty tree.
void BM_TreeFill(benchmark::State& state) {
    const OutlineItems items = ScanOutline(View(TheScript().text));
    for (auto _ : state) {
        CCodeTreeCtrl tree(nullptr, nullptr);
        tree.ApplyItems(items);
        benchmark::DoNotOptimize(tree.model()->rowCount());
    }
}
BENCHMARK(BM_TreeFill)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
