// IsSameFile: whether two paths name one file on disk.
#pragma once

#include <QString>

// The same text, or the same file on disk (another spelling, a link, or other
// letter case on a file system that ignores case).
bool IsSameFile(const QString& a, const QString& b);
