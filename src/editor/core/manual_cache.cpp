// The manual's index cached on disk, once per installation of the manual.
#include "editor/core/manual_cache.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
constexpr quint32 kMagic = 0x5343524D;  // "SCRM"
constexpr qint32 kFormat = 1;
constexpr qint32 kMaxSections = 100000;
}  // namespace

qint64 ManualStamp(const QString& docFolder) {
    const QFileInfo folder(docFolder);
    if (!folder.isDir())
        return -1;
    qint64 stamp = folder.lastModified().toMSecsSinceEpoch();
    const QDir dir(docFolder);
    for (const QString& page : ManualPages(docFolder)) {
        const QFileInfo info(dir.filePath(page));
        stamp = std::max({stamp, info.lastModified().toMSecsSinceEpoch(),
                          QFileInfo(info.path()).lastModified().toMSecsSinceEpoch()});
    }
    return stamp;
}

QString ManualCacheFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/scrivo/manual-index.bin");
}

std::optional<ManualIndex> LoadManualIndex(const QString& cacheFile, const QString& docFolder, qint64 stamp) {
    QFile file(cacheFile);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    qint32 format = 0;
    QString folder;
    qint64 cachedStamp = 0;
    qint32 count = 0;
    in >> magic >> format >> folder >> cachedStamp >> count;
    if (in.status() != QDataStream::Ok || magic != kMagic || format != kFormat || folder != docFolder
        || cachedStamp != stamp || count < 0 || count > kMaxSections)
        return std::nullopt;
    QList<ManualSection> sections;
    sections.reserve(count);
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        ManualSection section;
        in >> section;
        sections.append(std::move(section));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return ManualIndex(docFolder, std::move(sections));
}

bool SaveManualIndex(const QString& cacheFile, const ManualIndex& index, qint64 stamp) {
    if (!QDir().mkpath(QFileInfo(cacheFile).path()))
        return false;
    QSaveFile file(cacheFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kFormat << index.DocFolder() << stamp << qint32(index.Sections().size());
    for (const ManualSection& section : index.Sections())
        out << section;
    return out.status() == QDataStream::Ok && file.commit();
}

ManualIndex LoadOrBuildManualIndex(const QString& docFolder, const QString& cacheFile) {
    const qint64 stamp = ManualStamp(docFolder);
    if (stamp < 0)
        return ManualIndex(docFolder, {});
    if (auto cached = LoadManualIndex(cacheFile, docFolder, stamp))
        return std::move(*cached);
    ManualIndex built = BuildManualIndex(docFolder);
    // Without a cache the next start builds it again; nothing else is lost.
    SaveManualIndex(cacheFile, built, stamp);
    return built;
}
