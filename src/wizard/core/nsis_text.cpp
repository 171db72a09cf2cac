// Escaping of free texts for the generated script.
#include "wizard/core/nsis_text.h"

namespace {
// CR LF, a lone CR and a lone LF are each one line break.
QString EscapeQuotedText(const QString& text, bool doubleDollars) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('$') && doubleDollars)
            out += QLatin1StringView("$$");
        else if (c == QLatin1Char('"'))
            out += QLatin1StringView("$\\\"");
        else if (c == QLatin1Char('\t'))
            out += QLatin1StringView("$\\t");
        else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            out += QLatin1StringView("$\\r$\\n");
        } else
            out += c;
    }
    return out;
}
}  // namespace

QString InstallTimeText(const QString& text) { return EscapeQuotedText(text, true); }

QString CompileTimeText(const QString& text) { return EscapeQuotedText(text, false); }

QString ProductFileName(const QString& name) {
    static const QString kRefused = QStringLiteral("\\/:*?\"<>|");
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (c.unicode() < 0x20 || kRefused.contains(c))
            continue;
        if (c == QLatin1Char('$'))
            out += QLatin1Char('$');
        out += c;
    }
    return out.trimmed();
}

QString CommentText(const QString& text) {
    QString out = text;
    out.replace(QLatin1StringView("\r\n"), QLatin1StringView(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}
