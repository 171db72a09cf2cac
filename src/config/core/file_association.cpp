// RegisterFileAssociation: makes the program the user's handler of NSIS scripts on an XDG desktop.
#include "config/core/file_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr char kShippedExec[] = "Exec=scrivo";
constexpr char kDefaultSection[] = "[Default Applications]";
// The cache tools finish in well under a second; a minute means they hang.
constexpr int kToolTimeoutMs = 60000;
// mimeapps.list is a short text; a huge one is not ours to rewrite.
constexpr qint64 kMaxMimeAppsSize = 1 << 20;

// Empty bytes mean the shipped file could not be read: writing them would register nothing.
bool WriteFile(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The key of a "key=value" line, or "" for headers, comments and blank lines.
QString KeyOf(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? QString() : line.left(equals).trimmed();
}

bool IsSectionHeader(const QString& line) { return line.trimmed().startsWith(u'['); }

bool SetDefaultApplication(const QString& configHome) {
    const QString path = QDir(configHome).filePath(u"mimeapps.list"_s);
    QString text;
    QFile existing(path);
    if (existing.exists()) {
        // An unreadable list is left alone rather than replaced by one line.
        if (existing.size() > kMaxMimeAppsSize || !existing.open(QIODevice::ReadOnly))
            return false;
        text = QString::fromUtf8(existing.readAll());
    }
    const QString updated =
        WithDefaultApplication(text, QLatin1StringView(kNsisMimeType), QLatin1StringView(kDesktopId));
    return WriteFile(path, updated.toUtf8());
}

// A missing optional tool only means that there is no cache of its kind to refresh.
bool RunTool(const QString& name, const QString& folder, bool required) {
    const QString tool = QStandardPaths::findExecutable(name);
    if (tool.isEmpty())
        return !required;
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(tool, {folder});
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished(-1);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace

QString ExecArgument(const QString& argument) {
    QString quoted = u"\""_s;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    // Then the escapes of the file's string values and of the field codes.
    quoted.replace(u"\\"_s, u"\\\\"_s);
    quoted.replace(u"\n"_s, u"\\n"_s);
    quoted.replace(u"\r"_s, u"\\r"_s);
    quoted.replace(u"\t"_s, u"\\t"_s);
    quoted.replace(u"%"_s, u"%%"_s);
    return quoted;
}

QByteArray DesktopEntryFor(const QByteArray& shipped, const QString& executable) {
    const QString exec = QLatin1StringView(kShippedExec);
    QStringList lines = QString::fromUtf8(shipped).split(u'\n');
    for (QString& line : lines) {
        const QString rest = line.mid(exec.size());
        if (line.startsWith(exec) && (rest.isEmpty() || rest.startsWith(u' ')))
            line = u"Exec="_s + ExecArgument(executable) + rest;
    }
    return lines.join(u'\n').toUtf8();
}

QString WithDefaultApplication(const QString& mimeApps, const QString& mimeType, const QString& desktopId) {
    const QString entry = mimeType + u'=' + desktopId;
    QStringList lines = mimeApps.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size() && header < 0; ++i) {
        if (lines[i].trimmed() == QLatin1StringView(kDefaultSection))
            header = i;
    }
    if (header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1StringView(kDefaultSection) << entry;
        return lines.join(u'\n') + u'\n';
    }
    qsizetype insertAt = header + 1;
    for (qsizetype i = header + 1; i < lines.size() && !IsSectionHeader(lines[i]); ++i) {
        if (KeyOf(lines[i]) == mimeType) {
            lines[i] = entry;
            return lines.join(u'\n') + u'\n';
        }
        if (!lines[i].trimmed().isEmpty())
            insertAt = i + 1;
    }
    lines.insert(insertAt, entry);
    return lines.join(u'\n') + u'\n';
}

AssociationResult RegisterFileAssociation(const AssociationRequest& request) {
    AssociationResult result;
    const auto record = [&result](AssociationStep step, bool done) {
        if (!done)
            result.failed.push_back(step);
    };
    // An empty folder would silently mean the current one.
    const bool haveData = !request.dataHome.isEmpty();
    const QDir data(request.dataHome);

    record(AssociationStep::MimeType,
           haveData && WriteFile(data.filePath(u"mime/packages/scrivo.xml"_s), request.mimePackage));
    bool iconsWritten = haveData && !request.icons.empty();
    for (const auto& [path, bytes] : request.icons)
        iconsWritten = haveData && WriteFile(data.filePath(u"icons/hicolor/"_s + path), bytes) && iconsWritten;
    record(AssociationStep::Icon, iconsWritten);
    record(AssociationStep::DesktopEntry,
           haveData
               && WriteFile(data.filePath(u"applications/"_s + QLatin1StringView(kDesktopId)),
                            DesktopEntryFor(request.desktopEntry, request.executable)));
    record(AssociationStep::DefaultApplication,
           !request.configHome.isEmpty() && SetDefaultApplication(request.configHome));
    record(AssociationStep::MimeCache, haveData && RunTool(u"update-mime-database"_s, data.filePath(u"mime"_s), true));
    record(AssociationStep::DesktopCache,
           haveData && RunTool(u"update-desktop-database"_s, data.filePath(u"applications"_s), false));
    return result;
}
