// The symbol index over a script that includes every header of the installation: cold, after a one-character edit, and its size.
#include "nsis/core/include_search.h"
#include "nsis/core/symbol_index.h"
#include "bench_support.h"

#include <malloc.h>
#include <string>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString InstalledNsisDir() {
    QProcess makensis;
    makensis.start(kMakensis, {QStringLiteral("-HDRINFO")});
    makensis.waitForFinished(30000);
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("NSISDIR=([^,\\r\\n]+)"))
                                              .match(QString::fromLocal8Bit(makensis.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

struct Project {
    QTemporaryDir folder;
    QString nsisDir = InstalledNsisDir();
    QString script = folder.filePath(QStringLiteral("all.nsi"));
    QString text;
    qint64 headerBytes = 0;

    Project() {
        const QDir include(nsisDir + QStringLiteral("/Include"));
        for (const QFileInfo& header : include.entryInfoList({QStringLiteral("*.nsh")}, QDir::Files)) {
            text += QStringLiteral("!include \"%1\"\n").arg(header.fileName());
            headerBytes += header.size();
        }
        text += QStringLiteral("Section\n  Call Sample\nSectionEnd\nFunction Sample\nFunctionEnd\n");
        WriteFile(script, text.toUtf8());
    }
    IncludeResolver Resolver() const { return MakeIncludeResolver(nsisDir); }
};

Project& TheProject() {
    static Project project;
    return project;
}

void BM_IndexCold(benchmark::State& state) {
    Project& project = TheProject();
    qsizetype files = 0;
    for (auto _ : state) {
        const NsisSymbolIndex index = NsisSymbolIndex::Build({project.script}, {}, project.Resolver());
        files = index.Files().size();
    }
    state.counters["files"] = double(files);
    state.counters["header_kb"] = double(project.headerBytes) / 1024;
}
BENCHMARK(BM_IndexCold)->Unit(benchmark::kMillisecond);

// The script open and edited by one character: only its own text is read again.
void BM_IndexAfterOneCharacterEdit(benchmark::State& state) {
    Project& project = TheProject();
    QString edited = project.text;
    const NsisSymbolIndex first = NsisSymbolIndex::Build({project.script}, {{project.script, edited}}, project.Resolver());
    const IncludeResolver resolver = project.Resolver();
    int n = 0;
    for (auto _ : state) {
        edited.append(QChar(u'a' + (n++ % 26)));
        const NsisSymbolIndex index =
            NsisSymbolIndex::Build({project.script}, {{project.script, edited}}, resolver, {}, &first);
        benchmark::DoNotOptimize(index.Files().size());
    }
}
BENCHMARK(BM_IndexAfterOneCharacterEdit)->Unit(benchmark::kMillisecond);

// Heap bytes in use, as the allocator counts them (its own chunk overhead included).
size_t HeapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The bytes of every file the index read: the headers and what they include in turn.
qint64 FileBytes(const QStringList& files) {
    qint64 bytes = 0;
    for (const QString& file : files)
        bytes += QFileInfo(file).size();
    return bytes;
}

// Every heap byte the index keeps after its build, beside the bytes of the text it indexes. A first
// build runs before, so that what Qt sets up once (locale, caches) is not counted as the index.
void BM_IndexMemory(benchmark::State& state) {
    Project& project = TheProject();
    const IncludeResolver resolver = project.Resolver();
    benchmark::DoNotOptimize(NsisSymbolIndex::Build({project.script}, {}, resolver).Files().size());
    double indexBytes = 0;
    double textBytes = 0;
    for (auto _ : state) {
        const size_t before = HeapBytesInUse();
        auto index = std::make_unique<NsisSymbolIndex>(NsisSymbolIndex::Build({project.script}, {}, resolver));
        indexBytes = double(HeapBytesInUse() - before);
        textBytes = double(FileBytes(index->Files()));
    }
    const double percent = 100 * indexBytes / textBytes;
    state.counters["index_kb"] = indexBytes / 1024;
    state.counters["text_kb"] = textBytes / 1024;
    state.counters["index_per_text_pct"] = percent;
    if (percent >= 50) {
        static std::string error;
        error = QStringLiteral("the index holds %1 KB for %2 KB of text (%3 %), half or more")
                    .arg(indexBytes / 1024, 0, 'f', 0)
                    .arg(textBytes / 1024, 0, 'f', 0)
                    .arg(percent, 0, 'f', 0)
                    .toStdString();
        state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_IndexMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
