// Rules of the document set that need no window: activation after a close, dropped files, caption, stored tabs.
#include "app/core/document_rules.h"

#include "config/core/configurator.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

int ActiveIndexAfterClose(int active, int removed, int countAfter) {
    // The closed tab's place goes to its right neighbour, or to the new last tab;
    // any other active tab stays active wherever it moved.
    if (active == removed)
        return removed == countAfter ? countAfter - 1 : removed;
    return active > removed ? active - 1 : active;
}

bool IsDroppableScript(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString ext = dot < 0 ? QString() : name.mid(dot);
    return u".nsh.nsi.txt.log.ini.bat.c.cpp"_s.contains(ext, Qt::CaseSensitive);
}

QString CaptionText(const QString& name, const QString& appName, bool modified) {
    const QString caption = u"%1 - %2"_s.arg(name, appName);
    return modified ? u"*"_s + caption : caption;
}

std::vector<OpenFileEntry> ParseOpenFiles(const QStringList& stored, const std::vector<int>& codePages) {
    std::vector<OpenFileEntry> entries;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const QString& item = stored[i];
        if (item.isEmpty())
            continue;
        OpenFileEntry entry;
        if (size_t(i) < codePages.size())
            entry.codePage = CodePageFromNumber(codePages[size_t(i)]);
        entry.active = item.front() == u'1';
        entry.path = item.mid(1);
        entry.startPage = entry.path == QLatin1StringView(kStartPageEntry);
        if (entry.startPage)
            entry.path.clear();
        entries.push_back(entry);
    }
    return entries;
}

QString FormatOpenFile(const OpenFileEntry& entry) {
    return (entry.active ? u"1"_s : u"0"_s) + (entry.startPage ? QString::fromLatin1(kStartPageEntry) : entry.path);
}

QString FileNamePart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? path : path.mid(slash + 1);
}

QString FolderPart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash == 0)
        return u"/"_s;
    return slash < 0 ? QString() : path.left(slash);
}
