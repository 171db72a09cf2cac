// The program's command line: the compile switch and the one script path.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine {
    bool compile = false;
    QString path;
};

// args holds the arguments without the program itself.
CommandLine ParseCommandLine(const QStringList& args);
