// Speed of encoding detection and conversion on large scripts, each beside a peer doing comparable work.
#include "editor/core/encoding_detection.h"
#include "editor/core/text_document.h"
#include "text/core/ansi_code_page.h"
#include "text/core/code_page_conversion.h"
#include "text/core/utf16_conversion.h"
#include "text/core/utf8_check.h"
#include "bench_support.h"

#include <QDirIterator>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>
#include <iconv.h>
#include <malloc.h>
#include <map>

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

// The same script in every form the benchmarks need.
struct Inputs {
    QByteArray utf8;   // NSIS headers, CR LF, a Chinese comment line every 40 lines
    QByteArray ascii;  // the same without the Chinese lines
    QByteArray gbk;
    QByteArray windows1252;  // a French comment line instead of each Chinese one
    QByteArray utf16;        // little endian, with mark
};

QByteArray NsisIncludeText() {
    QByteArray text;
    QDirIterator it(QStringLiteral("/usr/share/nsis/Include"), {QStringLiteral("*.nsh")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            text += file.readAll() + "\r\n";
    }
    text.replace("\r\n", "\n");
    // Plain ASCII only, so every form below holds exactly the same characters.
    text.removeIf([](char c) { return static_cast<unsigned char>(c) >= 0x80 || c == '\0' || c == '\r'; });
    return text;
}

const QByteArray kChineseLine = QStringLiteral("; 中文注释：安装程序的说明，检查编码转换是否正确\r\n").toUtf8();
const QByteArray kFrenchLine = QStringLiteral("; Société Générale © 2024 : l'été, à côté du répertoire\r\n").toUtf8();

// base's lines up to size bytes, with extraLine after every 40th when it is given.
QByteArray Repeat(const QByteArray& base, qsizetype size, const QByteArray& extraLine = {}) {
    const QList<QByteArray> lines = base.split('\n');
    QByteArray out;
    out.reserve(size + 4096);
    qsizetype count = 0;
    while (out.size() < size) {
        for (const QByteArray& line : lines) {
            if (out.size() >= size)
                break;
            out += line;
            out += "\r\n";
            if (!extraLine.isEmpty() && ++count % 40 == 0)
                out += extraLine;
        }
    }
    return out;
}

const Inputs& InputsOf(qsizetype megabytes) {
    static std::map<qsizetype, Inputs> cache;
    auto found = cache.find(megabytes);
    if (found != cache.end())
        return found->second;
    static const QByteArray base = NsisIncludeText();
    Inputs inputs;
    inputs.utf8 = Repeat(base, BenchSize(megabytes * kMegabyte), kChineseLine);
    inputs.ascii = Repeat(base, BenchSize(megabytes * kMegabyte));
    bool lossy = false;
    Utf8ToAnsi(inputs.utf8, inputs.gbk, lossy);
    Utf8ToCodePage(Repeat(base, BenchSize(megabytes * kMegabyte), kFrenchLine), CodePage::Windows1252, inputs.windows1252, lossy);
    inputs.utf16 = "\xFF\xFE";
    Utf8ToUtf16(inputs.utf8, ByteOrder::LittleEndian, inputs.utf16, lossy);
    return cache.emplace(megabytes, std::move(inputs)).first->second;
}

void ApplySizes(benchmark::internal::Benchmark* b) { b->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond); }

// --- detection and validation -------------------------------------------

void BM_DetectEncoding_Utf8Text(benchmark::State& state) {
    const QByteArray& text = InputsOf(state.range(0)).utf8;
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectEncoding(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_DetectEncoding_Utf8Text)->Apply(ApplySizes);

void BM_DetectEncoding_Gbk(benchmark::State& state) {
    const QByteArray& text = InputsOf(state.range(0)).gbk;
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectEncoding(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_DetectEncoding_Gbk)->Apply(ApplySizes);

void BM_CheckUtf8_Ascii(benchmark::State& state) {
    const QByteArray& text = InputsOf(state.range(0)).ascii;
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckUtf8(text, Surrogates::Kept));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_CheckUtf8_Ascii)->Apply(ApplySizes);

void BM_Peer_Memcpy(benchmark::State& state) {
    const QByteArray& text = InputsOf(state.range(0)).utf8;
    QByteArray target(text.size(), '\0');  // touched once, so page faults stay out of the loop
    for (auto _ : state) {
        std::memcpy(target.data(), text.constData(), size_t(text.size()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_Peer_Memcpy)->Apply(ApplySizes);

void BM_Peer_QtUtf8Validation(benchmark::State& state) {
    const QByteArray& text = InputsOf(state.range(0)).utf8;
    for (auto _ : state)
        benchmark::DoNotOptimize(QUtf8StringView(text).isValidUtf8());
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_Peer_QtUtf8Validation)->Apply(ApplySizes);

// --- GBK ---------------------------------------------------------------------

// iconv(3) alone: one call into a buffer already large enough.
void RunIconv(const char* to, const char* from, const QByteArray& in, QByteArray& out) {
    iconv_t cd = iconv_open(to, from);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = size_t(in.size());
    char* dst = out.data();
    size_t dstLeft = size_t(out.size());
    iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    benchmark::DoNotOptimize(dst);
}

void BM_GbkToUtf8(benchmark::State& state) {
    const QByteArray& gbk = InputsOf(state.range(0)).gbk;
    for (auto _ : state) {
        QByteArray out;
        AnsiToUtf8(gbk, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * gbk.size());
}
BENCHMARK(BM_GbkToUtf8)->Apply(ApplySizes);

void BM_Peer_IconvGbkToUtf8(benchmark::State& state) {
    const QByteArray& gbk = InputsOf(state.range(0)).gbk;
    for (auto _ : state) {
        QByteArray out(gbk.size() * 3 / 2 + 16, Qt::Uninitialized);
        RunIconv("UTF-8", "CP936", gbk, out);
    }
    state.SetBytesProcessed(state.iterations() * gbk.size());
}
BENCHMARK(BM_Peer_IconvGbkToUtf8)->Apply(ApplySizes);

void BM_Utf8ToGbk(benchmark::State& state) {
    const QByteArray& utf8 = InputsOf(state.range(0)).utf8;
    for (auto _ : state) {
        QByteArray out;
        bool lossy = false;
        Utf8ToAnsi(utf8, out, lossy);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * utf8.size());
}
BENCHMARK(BM_Utf8ToGbk)->Apply(ApplySizes);

void BM_Peer_IconvUtf8ToGbk(benchmark::State& state) {
    const QByteArray& utf8 = InputsOf(state.range(0)).utf8;
    for (auto _ : state) {
        QByteArray out(utf8.size() + 16, Qt::Uninitialized);
        RunIconv("CP936", "UTF-8", utf8, out);
    }
    state.SetBytesProcessed(state.iterations() * utf8.size());
}
BENCHMARK(BM_Peer_IconvUtf8ToGbk)->Apply(ApplySizes);

// --- UTF-16 --------------------------------------------------------------------

void BM_Utf16ToUtf8(benchmark::State& state) {
    const QByteArrayView units = QByteArrayView(InputsOf(state.range(0)).utf16).sliced(2);
    for (auto _ : state) {
        QByteArray out;
        Utf16ToUtf8Lossless(units, ByteOrder::LittleEndian, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * units.size());
}
BENCHMARK(BM_Utf16ToUtf8)->Apply(ApplySizes);

// Qt has no direct UTF-16 to UTF-8 path: its UTF-16 decoder, then its UTF-8 encoder.
void BM_Peer_QtUtf16ToUtf8(benchmark::State& state) {
    const QByteArrayView units = QByteArrayView(InputsOf(state.range(0)).utf16).sliced(2);
    for (auto _ : state) {
        QStringDecoder decoder(QStringConverter::Utf16LE);
        QStringEncoder encoder(QStringConverter::Utf8);
        const QString text = decoder(units);
        const QByteArray out = encoder(text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * units.size());
}
BENCHMARK(BM_Peer_QtUtf16ToUtf8)->Apply(ApplySizes);

void BM_Utf8ToUtf16(benchmark::State& state) {
    const QByteArray& utf8 = InputsOf(state.range(0)).utf8;
    for (auto _ : state) {
        QByteArray out;
        bool lossy = false;
        Utf8ToUtf16(utf8, ByteOrder::LittleEndian, out, lossy);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * utf8.size());
}
BENCHMARK(BM_Utf8ToUtf16)->Apply(ApplySizes);

void BM_Peer_QtUtf8ToUtf16(benchmark::State& state) {
    const QByteArray& utf8 = InputsOf(state.range(0)).utf8;
    for (auto _ : state) {
        QStringDecoder decoder(QStringConverter::Utf8);
        QStringEncoder encoder(QStringConverter::Utf16LE);
        const QString text = decoder(utf8);
        const QByteArray out = encoder(text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * utf8.size());
}
BENCHMARK(BM_Peer_QtUtf8ToUtf16)->Apply(ApplySizes);

// --- loading a whole file ---------------------------------------------------------

// Peak resident memory the load adds, in bytes: the kernel's high-water mark
// is reset first, so it covers this load alone.
qint64 PeakGrowth(TextDocument& document, const QString& path) {
    ResetPeakResident();
    const qint64 before = StatusKb("VmRSS:");
    QByteArray text;
    document.LoadFile(path, false, text);
    return (StatusKb("VmHWM:") - before) * 1024;
}

void LoadBenchmark(benchmark::State& state, const QByteArray Inputs::*form) {
    const QByteArray& bytes = InputsOf(state.range(0)).*form;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("script.nsi"));
    if (!WriteFile(path, bytes)) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    SilentPrompter prompter;
    TextDocument document(prompter);
    QByteArray text;
    document.LoadFile(path, false, text);
    const double resultSize = double(text.size());
    text = {};
    const qint64 peak = PeakGrowth(document, path);
    for (auto _ : state) {
        QByteArray loaded;
        document.LoadFile(path, false, loaded);
        benchmark::DoNotOptimize(loaded.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    // Peak beyond the result, in copies of the file: 1 means one temporary copy.
    state.counters["extra_copies"] = (double(peak) - resultSize) / double(bytes.size());
}

void BM_LoadFile_Utf8(benchmark::State& state) { LoadBenchmark(state, &Inputs::utf8); }
void BM_LoadFile_Gbk(benchmark::State& state) { LoadBenchmark(state, &Inputs::gbk); }
void BM_LoadFile_Utf16(benchmark::State& state) { LoadBenchmark(state, &Inputs::utf16); }
// Detected by uchardet and read through the check that every byte comes back.
void BM_LoadFile_Windows1252(benchmark::State& state) { LoadBenchmark(state, &Inputs::windows1252); }
BENCHMARK(BM_LoadFile_Utf8)->Apply(ApplySizes);
BENCHMARK(BM_LoadFile_Gbk)->Apply(ApplySizes);
BENCHMARK(BM_LoadFile_Utf16)->Apply(ApplySizes);
BENCHMARK(BM_LoadFile_Windows1252)->Apply(ApplySizes);

}  // namespace

int main(int argc, char** argv) {
    // Every large block gets its own mapping, so resident memory shows each
    // fresh copy instead of reusing pages freed by the previous run.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    return RunBenchmarks(argc, argv);
}
