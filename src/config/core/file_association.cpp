// RegisterFileAssociation: makes the program the user's handler of NSIS scripts on an XDG desktop.
#include "config/core/file_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <optional>
#include <utility>

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
QByteArray KeyOf(const QByteArray& line) {
    const qsizetype equals = line.indexOf('=');
    return equals < 0 ? QByteArray() : line.left(equals).trimmed();
}

bool IsSectionHeader(const QByteArray& line) { return line.trimmed().startsWith('['); }

// The lines of the list's [Default Applications] section: header index and the end; header -1 when none.
std::pair<qsizetype, qsizetype> DefaultSection(const QByteArrayList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() != kDefaultSection)
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !IsSectionHeader(lines[end]))
            ++end;
        return {i, end};
    }
    return {-1, -1};
}

// An unreadable or huge list is left alone rather than replaced by one line.
std::optional<QByteArray> ReadMimeApps(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (file.size() > kMaxMimeAppsSize || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool SetDefaultApplication(const QString& configHome) {
    const QString path = QDir(configHome).filePath(u"mimeapps.list"_s);
    const std::optional<QByteArray> existing = ReadMimeApps(path);
    return existing && WriteFile(path, WithDefaultApplication(*existing, kNsisMimeType, kDesktopId));
}

// A desktop's own mimeapps.list comes before the common one: one naming another default wins.
void FindOverridingDefault(const AssociationRequest& request, AssociationResult& result) {
    for (const QString& desktop : request.desktops) {
        const QString path = QDir(request.configHome).filePath(desktop + u"-mimeapps.list"_s);
        const QByteArray named = DefaultApplicationIn(ReadMimeApps(path).value_or(QByteArray()), kNsisMimeType);
        if (named.isEmpty())
            continue;
        if (named != kDesktopId) {
            result.overriddenBy = path;
            result.otherDefault = named;
        }
        return;
    }
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

QByteArray WithDefaultApplication(const QByteArray& mimeApps, const QByteArray& mimeType, const QByteArray& desktopId) {
    const QByteArray entry = mimeType + '=' + desktopId;
    QByteArrayList lines = mimeApps.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const auto [header, end] = DefaultSection(lines);
    if (header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QByteArray();
        lines << QByteArray(kDefaultSection) << entry;
        return lines.join('\n') + '\n';
    }
    qsizetype insertAt = header + 1;
    for (qsizetype i = header + 1; i < end; ++i) {
        if (KeyOf(lines[i]) == mimeType) {
            lines[i] = entry;
            return lines.join('\n') + '\n';
        }
        if (!lines[i].trimmed().isEmpty())
            insertAt = i + 1;
    }
    lines.insert(insertAt, entry);
    return lines.join('\n') + '\n';
}

QByteArray DefaultApplicationIn(const QByteArray& mimeApps, const QByteArray& mimeType) {
    const QByteArrayList lines = mimeApps.split('\n');
    const auto [header, end] = DefaultSection(lines);
    for (qsizetype i = header + 1; header >= 0 && i < end; ++i) {
        if (KeyOf(lines[i]) == mimeType) {
            const QByteArray value = lines[i].mid(lines[i].indexOf('=') + 1);
            return value.split(';').constFirst().trimmed();
        }
    }
    return {};
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
    const bool haveConfig = !request.configHome.isEmpty();
    record(AssociationStep::DefaultApplication, haveConfig && SetDefaultApplication(request.configHome));
    if (haveConfig)
        FindOverridingDefault(request, result);
    record(AssociationStep::MimeCache, haveData && RunTool(u"update-mime-database"_s, data.filePath(u"mime"_s), true));
    record(AssociationStep::DesktopCache,
           haveData && RunTool(u"update-desktop-database"_s, data.filePath(u"applications"_s), false));
    return result;
}
