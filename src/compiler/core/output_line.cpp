// OutputLine: one line of makensis's output, with the lines it marks out recognised once for every reader.
#include "compiler/core/output_line.h"

#include <algorithm>
#include <climits>

namespace {
using Qt::CaseInsensitive;

int LeadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    long long number = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        number = std::min<long long>(number * 10 + (text[i].unicode() - u'0'), INT_MAX);
    return int(number);
}

// The quoted file when there is one, else the number after the first "on line ".
std::optional<NamedPlace> ScriptErrorPlace(QStringView text) {
    if (!text.startsWith(u"Error in script ", CaseInsensitive))
        return std::nullopt;
    if (std::optional<NamedPlace> quoted = QuotedPlace(text))
        return quoted;
    static const QString onLine = QStringLiteral("on line ");
    const qsizetype at = text.indexOf(onLine, 0, CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    return NamedPlace{std::nullopt, LeadingNumber(text.sliced(at + onLine.size()))};
}

std::optional<QString> InstallerPath(QStringView text) {
    static constexpr QStringView prefix = u"Output: \"";
    if (!text.startsWith(prefix) || !text.endsWith(u'"') || text.size() <= prefix.size() + 1)
        return std::nullopt;
    return text.sliced(prefix.size()).chopped(1).toString();
}

std::optional<QString> BadEncodingFile(QStringView text) {
    static constexpr QStringView prefix = u"Bad text encoding: ";
    if (!text.startsWith(prefix))
        return std::nullopt;
    QString file = text.sliced(prefix.size()).toString();
    // makensis adds ":<line>" after the file name.
    const qsizetype colon = file.lastIndexOf(u':');
    if (colon > 0) {
        bool isNumber = false;
        file.mid(colon + 1).toInt(&isNumber);
        if (isNumber)
            file.truncate(colon);
    }
    return file;
}
}  // namespace

std::optional<NamedPlace> QuotedPlace(QStringView text) {
    static const QString onLine = QStringLiteral("\" on line ");
    const qsizetype open = text.indexOf(u'"');
    const qsizetype close = text.lastIndexOf(onLine, -1, CaseInsensitive);
    if (open < 0 || close <= open)
        return std::nullopt;
    return NamedPlace{text.sliced(open + 1, close - open - 1).toString(),
                      LeadingNumber(text.sliced(close + onLine.size()))};
}

OutputLine ReadOutputLine(QByteArrayView line) {
    OutputLine read;
    read.text = QString::fromUtf8(line.endsWith('\r') ? line.chopped(1) : line);
    read.scriptError = ScriptErrorPlace(read.text);
    if (!read.scriptError) {
        read.installer = InstallerPath(read.text);
        if (!read.installer)
            read.badEncodingFile = BadEncodingFile(read.text);
    }
    return read;
}
