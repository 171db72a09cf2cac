// The addresses of the statistics service and the maker's information server, built-in or set in config.xml.
#pragma once

#include <QString>
#include <QUrl>

struct ServerAddresses;

// Scheme, host and port of each server; paths are added by the functions below.
struct OnlineServers {
    QUrl stat;
    QUrl info;
};

// The built-in hosts, both over http on port 80.
OnlineServers DefaultOnlineServers();

// The configured address where it is an http or https URL with a host, the built-in one otherwise.
OnlineServers ResolveOnlineServers(const ServerAddresses& configured);

// "/instsvc/creq.php" on the statistics server.
QUrl StatServiceUrl(const OnlineServers& servers);
// "/korvane.inf" on the information server.
QUrl UpdateInfoFileUrl(const OnlineServers& servers);
// "/update.php" on the information server: the new-version page when the file names none.
QUrl DefaultUpdatePageUrl(const OnlineServers& servers);
// "/goto.php?q=<query>" on the information server (reg, repas, login, vstat, home, help).
QUrl MakerPageUrl(const OnlineServers& servers, const QString& query);
// "/" on the information server: the maker's web site.
QUrl MakerSiteUrl(const OnlineServers& servers);
// "/content.html?v=2" on the information server: the maker's part of the start page.
QUrl StartPageContentUrl(const OnlineServers& servers);
