// save_loop: saves a script or config.xml through the program's own save, over and over, until killed.
//   save_loop script FILE OLD NEW   FILE holds OLD; saves NEW and OLD in turn
//   save_loop config FOLDER         the three XML files in FOLDER; saves config.xml in turn
// One byte on standard output after each save tells the test how far it got.
#include "config/core/configurator.h"
#include "editor/core/text_document.h"
#include "helpers/save_loop.h"
#include "support/scripted_prompter.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace {

void ReportSave() {
    const char mark = 's';
    if (::write(STDOUT_FILENO, &mark, 1) != 1)
        ::_exit(3);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int SaveScriptForever(const QString& path, const QString& oldPath, const QString& newPath) {
    ScriptedPrompter prompter;
    TextDocument document(prompter);
    QByteArray text;
    if (!document.LoadFile(path, false, text))
        return 2;
    const QByteArray versions[2] = {ReadAll(newPath), ReadAll(oldPath)};
    for (int round = 0;; ++round) {
        if (!document.SaveFile(versions[round % 2]))
            return 2;
        ReportSave();
    }
}

int SaveConfigForever(const QString& folder) {
    ScriptedPrompter prompter;
    Configurator config(folder, QDir(folder).filePath(QStringLiteral("user")), prompter);
    if (!config.Load())
        return 2;
    config.WriteOpenFiles(ManyOpenFiles());
    for (int round = 0;; ++round) {
        config.Base().Compressor = LoopCompressor(round);
        config.SaveBaseConfig();
        ReportSave();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const QStringList args = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (args.size() == 4 && args[0] == QLatin1String("script"))
        return SaveScriptForever(args[1], args[2], args[3]);
    if (args.size() == 2 && args[0] == QLatin1String("config"))
        return SaveConfigForever(args[1]);
    return 1;
}
