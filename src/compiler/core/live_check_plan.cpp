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

// Calls f with the first word of every line, in lower case.
template <typename F>
void ForEachFirstWord(QByteArrayView text, F&& f) {
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf('\n');
        const QByteArrayView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        qsizetype start = 0;
        while (start < line.size() && IsBlank(line[start]))
            ++start;
        qsizetype stop = start;
        while (stop < line.size() && !IsBlank(line[stop]))
            ++stop;
        f(line.sliced(start, stop - start).toByteArray().toLower());
    }
}

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

QStringList FullCheckArguments(const CompileSettings& settings, const QString& installer, bool overrideCompressor) {
    QStringList arguments;
    if (overrideCompressor)
        arguments << QStringLiteral("-X!pragma warning disable 8020") << QStringLiteral("-XSetCompressor /FINAL zlib");
    arguments << QStringLiteral("-XSetCompress off") << OptionsWithoutCompressor(settings) << QStringLiteral("-")
              << QStringLiteral("-XOutFile ") + installer;
    return arguments;
}

QStringList UnsafeDirectives(QByteArrayView preprocessed) {
    QStringList found;
    QSet<QByteArray> seen;
    ForEachFirstWord(preprocessed, [&](const QByteArray& word) {
        if (Unsafe().contains(word) && !seen.contains(word)) {
            seen.insert(word);
            found << QString::fromUtf8(word);
        }
    });
    return found;
}

bool SetsCompressor(QByteArrayView preprocessed) {
    bool sets = false;
    ForEachFirstWord(preprocessed, [&](const QByteArray& word) { sets = sets || word == "setcompressor"; });
    return sets;
}

QString FullCheckSkippedText(const QStringList& directives) {
    return QStringLiteral("脚本含有 %1 等指令，完整检查将在编译时进行").arg(directives.value(0));
}

QString FullCheckTimedOutText() {
    return QStringLiteral("完整检查超时，只显示了预处理检查的结果，完整检查将在编译时进行");
}
