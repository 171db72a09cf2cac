// The program's command line: the compile and check switches and the one script path.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine {
    bool compile = false;
    QString path;
    bool check = false;  // --check: compile without a window and report
    bool json = false;   // --json: the check's report as JSON
};

// args holds the arguments without the program itself.
CommandLine ParseCommandLine(const QStringList& args);
