// RunHeadlessCheck: `scrivo --check [--json] script.nsi`, a compile without a window for build pipelines.
#pragma once

#include <QString>
#include <QTextStream>

struct HeadlessCheckRequest {
    QString script;
    bool json = false;
    QString programFolder;  // where config.xml is read, as the editor reads it
    QString userFolder;
};

// Compiles the script as the editor's compile command does, with the
// compiler, symbols and -NOCD choice of the settings, prints the report to
// out and why it could not run to err. Returns the process exit code: 0 no
// error, 1 errors, 2 could not run (no script, no compiler, unreadable).
// Needs a QCoreApplication, not a display.
int RunHeadlessCheck(const HeadlessCheckRequest& request, QTextStream& out, QTextStream& err);
