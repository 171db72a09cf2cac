// The wine found on this machine (64-bit, 32-bit, version) and the environment every test-run wine process gets.
#pragma once

#include <QProcessEnvironment>
#include <QString>

struct WineSetup {
    QString wine;        // the wine on PATH; empty when there is none
    QString wineserver;  // the matching wineserver
    bool runs64 = false;
    bool runs32 = false;
    bool Found() const { return !wine.isEmpty() && !wineserver.isEmpty(); }
};

// Looks at the loaders beside the wine on PATH (Debian keeps them in
// /usr/lib/wine) and reads which of them are 32- and 64-bit programs.
WineSetup FindWineSetup();

// What `wine --version` prints ("wine-8.0 (Debian 8.0~repack-4)"); empty when
// it cannot run or takes longer than timeoutMs.
QString WineVersion(const QString& wine, int timeoutMs);

// The environment of a wine process of the test run: its own prefix and home,
// no debug output, no Mono, Gecko or menu entries, and the given X display or
// none at all.
QProcessEnvironment WineEnvironment(const QProcessEnvironment& base, const QString& prefix, const QString& home,
                                    const QString& display);

// How to get 32-bit wine on Debian.
QString Wine32InstallCommand();
