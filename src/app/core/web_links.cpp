// Addresses of the web and help commands, and the NSIS version shown in the About dialog.
#include "app/core/web_links.h"

#include "compiler/core/makensis_query.h"
#include "wizard/core/maker_hosts.h"

using namespace Qt::StringLiterals;

QUrl InfoPageUrl(const QString& query) {
    QUrl url = MakerSiteUrl();
    url.setPath(u"/goto.php"_s);
    url.setQuery(u"q="_s + query);
    return url;
}

QUrl NsisDocsUrl() { return QUrl(u"https://nsis.sourceforge.io/Docs/"_s); }

QUrl MakerSiteUrl() {
    QUrl url;
    url.setScheme(u"http"_s);
    url.setHost(QString::fromLatin1(kMakerWebHost));
    url.setPath(u"/"_s);
    return url;
}

QString QueryNsisVersion(const QString& makensisPath, int timeoutMs) {
    const std::optional<QByteArray> output = QueryMakensis(makensisPath, u"-VERSION"_s, timeoutMs);
    if (!output)
        return {};
    // One short line; anything longer is not a version.
    const QString version = QString::fromLocal8Bit(output->left(200)).trimmed().section(u'\n', 0, 0);
    return version.trimmed();
}
