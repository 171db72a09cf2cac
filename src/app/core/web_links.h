// Addresses of the web and help commands, and the NSIS version shown in the About dialog.
#pragma once

#include <QString>
#include <QUrl>

// The maker's information page "goto.php" with the query "q=<query>" (vstat, home, help).
QUrl InfoPageUrl(const QString& query);
// The NSIS project's online documentation.
QUrl NsisDocsUrl();
// The maker's web site, linked from the About dialog.
QUrl MakerSiteUrl();

// The version the compiler at makensisPath reports ("v3.08-3+deb12u1"); empty
// when it cannot be run or does not answer within timeoutMs.
QString QueryNsisVersion(const QString& makensisPath, int timeoutMs);
