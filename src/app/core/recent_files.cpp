// Recent files as the menu and the start page show them, and the start page's link ids.
#include "app/core/recent_files.h"

#include "app/core/command_ids.h"
#include "app/core/command_table.h"
#include "app/core/document_rules.h"

using namespace Qt::StringLiterals;

QString RecentMenuText(int index, int count, const QString& path) {
    const int number = count - index;
    return (number < 10 ? u"&%1 %2"_s : u"%1 %2"_s).arg(number).arg(path);
}

int StartPageCommand(const QString& elementId) {
    static const struct {
        const char* id;
        int command;
    } buttons[] = {{"CMD_ID_NEW", Cmd::NewBlank},
                   {"CMD_ID_NEW_WIZARD", Cmd::NewWizard},
                   {"CMD_ID_NEW_TPL", Cmd::NewTemplate},
                   {"CMD_ID_OPEN", Cmd::Open}};
    for (const auto& button : buttons) {
        if (elementId.compare(QLatin1StringView(button.id), Qt::CaseInsensitive) == 0)
            return button.command;
    }
    const QLatin1StringView recentPrefix("CMD_ID_RF_");
    if (elementId.startsWith(recentPrefix, Qt::CaseInsensitive)) {
        bool ok = false;
        const int n = elementId.mid(recentPrefix.size()).toInt(&ok, 10);
        // The recent commands stop at ID_RECENT_FILE_LAST; a larger number names nothing.
        if (ok && n >= 0 && n <= ID_RECENT_FILE_LAST - ID_RECENT_FILE_FIRST)
            return ID_RECENT_FILE_FIRST + n;
    }
    return 0;
}

QString RecentListHtml(const QStringList& recent) {
    QString html = u"<ol>"_s;
    for (qsizetype i = recent.size() - 1; i >= 0; --i) {
        const QString& path = recent[i];
        html += u"<li><a id=\"CMD_ID_RF_%1\" href=\"?rf=%1\" title=\"%2\">%3</a></li>"_s.arg(i).arg(
            path.toHtmlEscaped(), FileNamePart(path).toHtmlEscaped());
    }
    return html + u"</ol>"_s;
}

namespace {

// The n of a "?rf=n" link; -1 when there is none.
int RecentIndexOf(const QString& url) {
    const qsizetype rf = url.indexOf(u"?rf="_s, 0, Qt::CaseInsensitive);
    if (rf < 0)
        return -1;
    bool ok = false;
    const int index = url.mid(rf + 4).toInt(&ok, 10);
    return ok && index >= 0 ? index : -1;
}

}  // namespace

QString StartPageLinkStatus(const QString& url, const QStringList& recent) {
    // Recent links are relative ("?rf=n"), so once resolved they also start
    // with the page's own scheme: look at the query first.
    const int index = RecentIndexOf(url);
    if (index >= 0 && index < recent.size())
        return u"打开文件："_s + recent[index];
    if (url.startsWith(u"qrc:"_s, Qt::CaseInsensitive)) {
        const int command = StartPageCommand(url.mid(url.lastIndexOf(u'/') + 1));
        if (command >= ID_RECENT_FILE_FIRST && command <= ID_RECENT_FILE_LAST) {
            const int index = command - ID_RECENT_FILE_FIRST;
            return index < recent.size() ? recent[index] : QString();
        }
        return command ? StatusPrompt(command) : QString();
    }
    return url;
}

int StartPageLinkCommand(const QString& url) {
    if (url.contains(u"?rf="_s, Qt::CaseInsensitive)) {
        const int index = RecentIndexOf(url);
        return index >= 0 && index <= ID_RECENT_FILE_LAST - ID_RECENT_FILE_FIRST ? ID_RECENT_FILE_FIRST + index : 0;
    }
    return StartPageCommand(url.mid(url.lastIndexOf(u'/') + 1));
}
