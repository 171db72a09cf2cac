// The maker's start-page content, made safe to splice into the start page.
#include "app/core/maker_content.h"

#include <QRegularExpression>

QString SafeMakerContent(const QString& html) {
    // href with a double-quoted, single-quoted or bare value, in any letter case.
    static const QRegularExpression href(QStringLiteral(R"((\bhref\s*=\s*)("[^"]*"|'[^']*'|[^\s>]+))"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression web(QStringLiteral(R"(^\s*https?://)"), QRegularExpression::CaseInsensitiveOption);
    QString safe;
    qsizetype done = 0;
    for (auto it = href.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString value = match.captured(2);
        if (value.startsWith(u'"') || value.startsWith(u'\''))
            value = value.mid(1, value.size() - 2);
        safe += html.mid(done, match.capturedStart() - done);
        safe += web.match(value).hasMatch() ? match.captured(0) : QStringLiteral("data-unsafe-href=\"\"");
        done = match.capturedEnd();
    }
    return safe + html.mid(done);
}
