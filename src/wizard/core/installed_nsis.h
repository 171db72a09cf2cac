// What the installed makensis reports about itself and what the wizard makes of it.
#pragma once

#include "wizard/core/wizard_data.h"

#include <QString>

struct InstalledNsis {
    bool answered = false;         // makensis ran and reported its settings
    QString nsisDir;               // what ${NSISDIR} stands for
    QString docDir;                // where the NSIS documentation lies
    bool keepsInstallLog = false;  // built with NSIS_CONFIG_LOG, so "LogSet on" compiles
};

// Reads the output of "makensis -HDRINFO".
InstalledNsis ParseHeaderInfo(const QString& output);
// Runs "makensis -HDRINFO"; nothing is answered when it cannot run or is slower than timeoutMs.
InstalledNsis QueryInstalledNsis(const QString& makensisPath, int timeoutMs);

// The NSIS license as this installation ships it, in the form a script names it; empty
// when it ships none. Windows builds keep it as ${NSISDIR}\license.txt, Debian's in
// the documentation folder.
QString InstalledLicenseFile(const InstalledNsis& nsis);

// A new installer description whose license is one this installation has.
WizardData WizardDefaultsFor(const InstalledNsis& nsis);

// The note safe removal needs on this compiler; empty when the compiler can build it.
QString SafeRemovalNote(const InstalledNsis& nsis);
