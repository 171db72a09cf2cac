// FileStamp: what identifies one version of a file on disk, to notice changes made by other programs.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Modification time at the file system's full resolution plus the size, so a
// rewrite within the same second, or one that restores the time, is still seen.
struct FileStamp {
    std::int64_t modifiedNs = 0;
    std::int64_t size = 0;

    bool operator==(const FileStamp&) const = default;
};

// Empty when the file does not exist or cannot be examined.
std::optional<FileStamp> ReadFileStamp(const QString& path);
