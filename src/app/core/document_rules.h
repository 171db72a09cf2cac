// Rules of the document set that need no window: activation after a close, dropped files, caption, stored tabs.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The tab to activate after closing tab `removed`; `active` is the active index
// before the close and `countAfter` the number of tabs left.
int ActiveIndexAfterClose(int active, int removed, int countAfter);

// Whether two paths name the same file: the same text, or the same file on
// disk (another spelling, a link, or other letter case on a file system that ignores case).
bool IsSameFile(const QString& a, const QString& b);

// Files dropped on the frame are opened only with these extensions.
bool IsDroppableScript(const QString& path);

// The window caption: "%s - %s", with "*" in front when modified.
QString CaptionText(const QString& name, const QString& appName, bool modified);

// One entry of LastOpenFiles: "1"/"0" then a path or the start page marker.
struct OpenFileEntry {
    bool active = false;
    bool startPage = false;
    QString path;
};
std::vector<OpenFileEntry> ParseOpenFiles(const QStringList& stored);
QString FormatOpenFile(const OpenFileEntry& entry);

// The file-name part and the folder part of a path.
QString FileNamePart(const QString& path);
QString FolderPart(const QString& path);
