// The NSIS project's documentation address, and the NSIS version shown in the About dialog.
#pragma once

#include <QString>
#include <QUrl>

// The NSIS project's online documentation.
QUrl NsisDocsUrl();

// The version the compiler at makensisPath reports ("v3.08-3+deb12u1"); empty
// when it cannot be run or does not answer within timeoutMs.
QString QueryNsisVersion(const QString& makensisPath, int timeoutMs);
