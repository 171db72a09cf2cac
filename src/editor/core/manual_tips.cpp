// The texts the editor shows from the NSIS manual: hover tips, parameter help and completion notes.
#include "editor/core/manual_tips.h"

#include "editor/core/command_tips.h"
#include "editor/core/parameter_help.h"

namespace {

constexpr qsizetype kWrapColumn = 80;
constexpr qsizetype kMaxParagraph = 480;
constexpr qsizetype kMaxNote = 120;
constexpr char kUsagePrefix[] = "Usage: ";
constexpr char kMoreLine[] = "更多: 按 F1 打开手册中的这一节";

bool IsNameChar(char c) { return IsTipWordChar(c) || c == '.' || c == ':'; }

// The run of characters around index that pass the test.
std::pair<qsizetype, qsizetype> RunAround(QByteArrayView line, qsizetype index, bool (*test)(char)) {
    qsizetype start = index;
    qsizetype end = index;
    while (start > 0 && test(line[start - 1]))
        --start;
    while (end < line.size() && test(line[end]))
        ++end;
    return {start, end};
}

QByteArray Wrapped(const QString& paragraph) {
    QString text = paragraph;
    if (text.size() > kMaxParagraph)
        text = text.first(kMaxParagraph - 1) + QChar(0x2026);
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > kWrapColumn) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(u'\n').toUtf8();
}

QString FirstSentence(const QString& text) {
    qsizetype end = text.indexOf(QLatin1String(". "));
    QString sentence = end < 0 ? text : text.first(end + 1);
    if (sentence.size() > kMaxNote)
        sentence = sentence.first(kMaxNote - 1) + QChar(0x2026);
    return sentence;
}

// The description of the first documented name inside the highlighted parameter.
QByteArray ParameterNote(const ManualSection& section, QByteArrayView element) {
    for (const ManualParameter& parameter : section.parameters) {
        if (!parameter.description.isEmpty() && element.contains(parameter.name.toUtf8()))
            return '\n' + parameter.name.toUtf8() + ": " + parameter.description.toUtf8();
    }
    return {};
}

}  // namespace

const ManualSection* ManualSectionAt(const ManualIndex& manual, QByteArrayView line, qsizetype index) {
    if (index < 0 || index >= line.size())
        return nullptr;
    const auto [start, end] = RunAround(line, index, IsNameChar);
    QList<QByteArray> candidates;
    // "${GetParameters}": the braces are not word characters.
    if (start >= 2 && line.sliced(start - 2, 2) == "${" && end < line.size() && line[end] == '}')
        candidates << "${" + line.sliced(start, end - start).toByteArray() + '}';
    QByteArrayView name = line.sliced(start, end - start);
    while (name.endsWith('.') || name.endsWith(':'))
        name.chop(1);
    candidates << name.toByteArray();
    const auto [wordStart, wordEnd] = RunAround(line, index, IsTipWordChar);
    candidates << line.sliced(wordStart, wordEnd - wordStart).toByteArray();
    for (const QByteArray& candidate : candidates) {
        if (candidate.isEmpty())
            continue;
        if (const ManualSection* section = manual.Find(QString::fromUtf8(candidate)))
            return section;
    }
    return nullptr;
}

QByteArray HoverTipText(const ManualSection& section) {
    QByteArray text = section.usage.isEmpty() ? section.name.toUtf8()
                                              : kUsagePrefix + section.usage.toUtf8().replace('\n', "\n       ");
    if (!section.firstParagraph.isEmpty())
        text += '\n' + Wrapped(section.firstParagraph);
    return text + '\n' + QByteArray(kMoreLine);
}

std::optional<ManualCallTip> ParameterTip(QByteArrayView lineToCaret, const ManualIndex& manual,
                                          const NsisTipsTable& tips) {
    const TypedLine typed = SplitTypedLine(lineToCaret);
    if (typed.tokens.isEmpty())
        return std::nullopt;
    const ManualSection* section = manual.Find(QString::fromUtf8(typed.tokens.first()));
    QByteArray usage;
    if (section && !section->usage.isEmpty()) {
        usage = section->usage.toUtf8();
    } else {
        section = nullptr;
        usage = tips.value(typed.tokens.first().toLower());
    }
    if (usage.isEmpty())
        return std::nullopt;
    const qsizetype lineEnd = usage.indexOf('\n');
    QByteArrayView usageLine = QByteArrayView(usage).first(lineEnd < 0 ? usage.size() : lineEnd);
    if (usageLine.endsWith('\r'))
        usageLine.chop(1);
    const auto range = CurrentParameter(usageLine, typed);
    if (!range)
        return std::nullopt;
    const qsizetype prefix = qsizetype(sizeof(kUsagePrefix) - 1);
    ManualCallTip tip{kUsagePrefix + usage, prefix + range->first, prefix + range->second};
    if (section)
        tip.text += ParameterNote(*section, usageLine.sliced(range->first, range->second - range->first));
    return tip;
}

QString CompletionNote(const QByteArray& word, const ManualIndex& manual, const NsisTipsTable& tips) {
    if (const ManualSection* section = manual.Find(QString::fromUtf8(word))) {
        if (!section->firstParagraph.isEmpty())
            return FirstSentence(section->firstParagraph);
        if (!section->usage.isEmpty())
            return section->usage.section(u'\n', 0, 0);
    }
    const QByteArray usage = tips.value(word.toLower());
    return QString::fromUtf8(usage.left(usage.indexOf('\r')));
}
