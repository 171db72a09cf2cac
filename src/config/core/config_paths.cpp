// Where the configuration files live and where NSIS and its manual are found.
#include "config/core/config_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
constexpr char kCompilerName[] = "makensis";
// Where nsis-doc installs the manual (its index is Contents.html).
constexpr char kManualPath[] = "/usr/share/doc/nsis/Docs/Contents.html";

// Tried rather than judged from mode bits, which say nothing about
// read-only mounts or the powers of the user.
bool IsWritableFolder(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists())
        return false;
    QTemporaryFile probe(dir.filePath(QStringLiteral(".scrivo-XXXXXX")));
    if (!probe.open())
        return false;
    // Files that cannot be replaced make the folder useless for saving.
    for (const QString& name : ConfigFileNames()) {
        QFile file(dir.filePath(name));
        if (file.exists() && !file.open(QIODevice::ReadWrite))
            return false;
    }
    return true;
}
}  // namespace

QStringList ConfigFileNames() {
    return {QStringLiteral("langs.xml"), QStringLiteral("stylers.xml"), QStringLiteral("config.xml")};
}

QString ChooseConfigFolder(const QString& programFolder, const QString& userFolder) {
    if (IsWritableFolder(programFolder) || userFolder.isEmpty())
        return programFolder;
    if (!QDir().mkpath(userFolder))
        return programFolder;
    const QDir source(programFolder);
    const QDir target(userFolder);
    for (const QString& name : ConfigFileNames()) {
        const QString copy = target.filePath(name);
        if (QFileInfo::exists(copy))
            continue;
        if (!QFile::copy(source.filePath(name), copy))
            return programFolder;
        // The copy keeps the installed file's read-only mode; it is ours to change.
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    return userFolder;
}

QString FindNsisFolder(const QString& programFolder) {
    const QFileInfo local(QDir(programFolder).filePath(QLatin1String(kCompilerName)));
    if (local.isFile() && local.isExecutable())
        return programFolder;
    const QString onPath = QStandardPaths::findExecutable(QLatin1String(kCompilerName));
    if (onPath.isEmpty())
        return {};
    return QFileInfo(onPath).absolutePath();
}

QString FindNsisManual() {
    const QString manual = QLatin1String(kManualPath);
    return QFileInfo(manual).isFile() ? manual : QString();
}

QString DefaultUserConfigFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/scrivo");
}

QString ProgramDataFolder(const QString& executableFolder) {
    const QDir beside(executableFolder);
    if (QFileInfo::exists(beside.filePath(QStringLiteral("stylers.xml"))))
        return executableFolder;
    const QString installed = QDir::cleanPath(beside.filePath(QStringLiteral("../share/scrivo")));
    if (QFileInfo::exists(QDir(installed).filePath(QStringLiteral("stylers.xml"))))
        return installed;
    return executableFolder;
}
