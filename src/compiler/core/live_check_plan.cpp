// The live check's plan: the makensis arguments of its two passes and the directives that keep it to the first.
#include "compiler/core/live_check_plan.h"

#include <QSet>

namespace {
// The compile's options without its compressor: the check chooses its own.
QStringList OptionsWithoutCompressor(CompileSettings settings) {
    settings.compressor = 0;
    return CompileOptions(settings);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// makensis 3.08's directives that start a program, write, delete or create a
// file; !writefile is not in 3.08 but may come.
const QSet<QByteArray>& Unsafe() {
    static const QSet<QByteArray> names = {"!system",   "!execute",       "!makensis",   "!packhdr",
                                           "!finalize", "!uninstfinalize", "!appendfile", "!writefile",
                                           "!delfile",  "!tempfile"};
    return names;
}
}  // namespace

QStringList PreprocessArguments(const CompileSettings& settings) {
    return OptionsWithoutCompressor(settings) << QStringLiteral("-SAFEPPO") << QStringLiteral("-");
}

QStringList FullCheckArguments(const CompileSettings& settings, const QString& installer) {
    QStringList arguments{QStringLiteral("-X!pragma warning disable 8020"),
                          QStringLiteral("-XSetCompressor /FINAL zlib"), QStringLiteral("-XSetCompress off")};
    arguments << OptionsWithoutCompressor(settings) << QStringLiteral("-")
              << QStringLiteral("-XOutFile ") + installer;
    return arguments;
}

QStringList UnsafeDirectives(QByteArrayView preprocessed) {
    QStringList found;
    QSet<QByteArray> seen;
    while (!preprocessed.isEmpty()) {
        const qsizetype end = preprocessed.indexOf('\n');
        QByteArrayView line = end < 0 ? preprocessed : preprocessed.first(end);
        preprocessed = end < 0 ? QByteArrayView() : preprocessed.sliced(end + 1);
        qsizetype start = 0;
        while (start < line.size() && IsBlank(line[start]))
            ++start;
        qsizetype stop = start;
        while (stop < line.size() && !IsBlank(line[stop]))
            ++stop;
        const QByteArray word = line.sliced(start, stop - start).toByteArray().toLower();
        if (Unsafe().contains(word) && !seen.contains(word)) {
            seen.insert(word);
            found << QString::fromUtf8(word);
        }
    }
    return found;
}

QString FullCheckSkippedText(const QStringList& directives) {
    return QStringLiteral("脚本含有 %1 等指令，完整检查将在编译时进行").arg(directives.value(0));
}

QString FullCheckTimedOutText() {
    return QStringLiteral("完整检查超时，只显示了预处理检查的结果，完整检查将在编译时进行");
}
