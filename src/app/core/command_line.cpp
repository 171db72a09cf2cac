// The program's command line: the compile and check switches and the one script path.
#include "app/core/command_line.h"

using namespace Qt::StringLiterals;

namespace {

// "-x" is always a switch. "/x" is one only while it holds no further slash:
// here absolute paths begin with "/" too.
bool IsSwitch(const QString& arg) {
    if (arg.startsWith(u'-'))
        return true;
    return arg.startsWith(u'/') && arg.indexOf(u'/', 1) < 0;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& args) {
    CommandLine result;
    for (const QString& arg : args) {
        if (IsSwitch(arg)) {
            if (arg.mid(1).compare(u"C"_s, Qt::CaseInsensitive) == 0)
                result.compile = true;
            else if (arg == u"--check")
                result.check = true;
            else if (arg == u"--json")
                result.json = true;
            continue;
        }
        QString path = arg.trimmed();
        path.remove(u'"');
        result.path = path;
    }
    return result;
}
