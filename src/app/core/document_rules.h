// Rules of the document set that need no window: activation after a close, dropped files, caption, stored tabs.
#pragma once

#include "text/core/code_page.h"

#include <QString>
#include <QStringList>
#include <vector>

// The tab to activate after closing tab `removed`; `active` is the active index
// before the close and `countAfter` the number of tabs left.
int ActiveIndexAfterClose(int active, int removed, int countAfter);

// Files dropped on the frame are opened only with these extensions.
bool IsDroppableScript(const QString& path);

// The window caption: "%s - %s", with "*" in front when modified.
QString CaptionText(const QString& name, const QString& appName, bool modified);

// One entry of LastOpenFiles: "1"/"0" then a path or the start page marker.
// The code page is kept beside it, for a document read as ANSI text.
struct OpenFileEntry {
    bool active = false;
    bool startPage = false;
    QString path;
    std::optional<CodePage> codePage;
};
// codePages: one number per stored entry, -1 for none.
std::vector<OpenFileEntry> ParseOpenFiles(const QStringList& stored, const std::vector<int>& codePages = {});
QString FormatOpenFile(const OpenFileEntry& entry);

// The file-name part and the folder part of a path.
QString FileNamePart(const QString& path);
QString FolderPart(const QString& path);
