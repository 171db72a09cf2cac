// The wine found on this machine and the environment every test-run wine process gets.
#include "compiler/core/wine_setup.h"

#include "compiler/core/installer_probe.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
int ElfClassOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? ReadElfClass(file.read(16)) : 0;
}
}  // namespace

WineSetup FindWineSetup() {
    WineSetup setup;
    setup.wine = QStandardPaths::findExecutable(u"wine"_s);
    setup.wineserver = QStandardPaths::findExecutable(u"wineserver"_s);
    if (setup.wine.isEmpty())
        return setup;
    // /usr/bin/wine is a shell script on Debian that picks one of these loaders.
    const QString binFolder = QFileInfo(setup.wine).canonicalPath();
    const QStringList loaders = {setup.wine, QStandardPaths::findExecutable(u"wine64"_s),
                                 binFolder + u"/../lib/wine/wine"_s, binFolder + u"/../lib/wine/wine64"_s};
    for (const QString& loader : loaders) {
        if (loader.isEmpty() || !QFileInfo(loader).isExecutable())
            continue;
        const int elfClass = ElfClassOf(loader);
        setup.runs32 = setup.runs32 || elfClass == 32;
        setup.runs64 = setup.runs64 || elfClass == 64;
    }
    return setup;
}

QString WineVersion(const QString& wine, int timeoutMs) {
    if (wine.isEmpty())
        return {};
    QProcess process;
    process.setProcessEnvironment(
        WineEnvironment(QProcessEnvironment::systemEnvironment(), {}, {}, {}));
    process.start(wine, {u"--version"_s});
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QProcessEnvironment WineEnvironment(const QProcessEnvironment& base, const QString& prefix, const QString& home,
                                    const QString& display) {
    QProcessEnvironment env = base;
    if (!prefix.isEmpty())
        env.insert(u"WINEPREFIX"_s, prefix);
    if (!home.isEmpty()) {
        env.insert(u"HOME"_s, home);
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            env.remove(QString::fromLatin1(name));
    }
    env.insert(u"WINEDEBUG"_s, u"-all"_s);
    env.insert(u"WINEDLLOVERRIDES"_s, u"mscoree,mshtml=;winemenubuilder.exe=d"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.remove(u"WINELOADER"_s);
    env.remove(u"WINESERVER"_s);
    if (display.isEmpty())
        env.remove(u"DISPLAY"_s);
    else
        env.insert(u"DISPLAY"_s, display);
    return env;
}

QString Wine32InstallCommand() {
    return u"dpkg --add-architecture i386 && apt-get update && apt-get install wine32"_s;
}
