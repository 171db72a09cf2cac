// The program's command line: the compile switch and the one script path.
#include "app/core/command_line.h"

CommandLine ParseCommandLine(const QStringList& args) {
    CommandLine result;
    for (const QString& arg : args) {
        if (arg.startsWith(u'/') || arg.startsWith(u'-')) {
            if (arg.mid(1).compare(u"C", Qt::CaseInsensitive) == 0)
                result.compile = true;
            continue;
        }
        QString path = arg.trimmed();
        path.remove(u'"');
        result.path = path;
    }
    return result;
}
