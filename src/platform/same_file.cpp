// IsSameFile: whether two paths name one file on disk.
#include "platform/same_file.h"

#include <QFile>
#include <sys/stat.h>

bool IsSameFile(const QString& a, const QString& b) {
    if (a == b)
        return true;
    struct stat first {
    }, second{};
    if (::stat(QFile::encodeName(a).constData(), &first) != 0 || ::stat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
