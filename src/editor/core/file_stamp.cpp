// FileStamp: what identifies one version of a file on disk.
#include "editor/core/file_stamp.h"

#include <QFile>

#include <sys/stat.h>

std::optional<FileStamp> ReadFileStamp(const QString& path) {
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileStamp{std::int64_t(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
                     std::int64_t(status.st_size)};
}
