// The NSIS project's documentation address, and the NSIS version shown in the About dialog.
#include "app/core/web_links.h"

#include "nsis/core/makensis_query.h"

using namespace Qt::StringLiterals;

QUrl NsisDocsUrl() { return QUrl(u"https://nsis.sourceforge.io/Docs/"_s); }

QString QueryNsisVersion(const QString& makensisPath, int timeoutMs) {
    const std::optional<QByteArray> output = QueryMakensis(makensisPath, u"-VERSION"_s, timeoutMs);
    if (!output)
        return {};
    // One short line; anything longer is not a version.
    const QString version = QString::fromLocal8Bit(output->left(200)).trimmed().section(u'\n', 0, 0);
    return version.trimmed();
}
