// The addresses of the statistics service and the maker's information server, built-in or set in config.xml.
#include "online/core/online_servers.h"

#include "config/core/configurator.h"
#include "platform/maker_hosts.h"

using namespace Qt::StringLiterals;

namespace {

QUrl ServerUrl(const char* host) {
    QUrl url;
    url.setScheme(u"http"_s);
    url.setHost(QString::fromLatin1(host));
    return url;
}

// Only the scheme, host and port of a configured address count; a path or
// query in it would be silently combined with ours otherwise.
QUrl ConfiguredOr(const QString& text, const QUrl& fallback) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s))
        return fallback;
    QUrl server;
    server.setScheme(url.scheme());
    server.setHost(url.host());
    server.setPort(url.port());
    return server;
}

QUrl WithPath(QUrl url, const QString& path) {
    url.setPath(path);
    return url;
}

}  // namespace

OnlineServers DefaultOnlineServers() { return {ServerUrl(kStatServiceHost), ServerUrl(kMakerWebHost)}; }

OnlineServers ResolveOnlineServers(const ServerAddresses& configured) {
    const OnlineServers defaults = DefaultOnlineServers();
    return {ConfiguredOr(configured.statServer, defaults.stat), ConfiguredOr(configured.infoServer, defaults.info)};
}

QUrl StatServiceUrl(const OnlineServers& servers) { return WithPath(servers.stat, u"/instsvc/creq.php"_s); }

QUrl UpdateInfoFileUrl(const OnlineServers& servers) { return WithPath(servers.info, u"/korvane.inf"_s); }

QUrl DefaultUpdatePageUrl(const OnlineServers& servers) { return WithPath(servers.info, u"/update.php"_s); }

QUrl MakerPageUrl(const OnlineServers& servers, const QString& query) {
    QUrl url = WithPath(servers.info, u"/goto.php"_s);
    url.setQuery(u"q="_s + query);
    return url;
}

QUrl MakerSiteUrl(const OnlineServers& servers) { return WithPath(servers.info, u"/"_s); }

QUrl StartPageContentUrl(const OnlineServers& servers) {
    QUrl url = WithPath(servers.info, u"/content.html"_s);
    url.setQuery(u"v=2"_s);
    return url;
}
