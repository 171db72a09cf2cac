// Recent files as the menu and the start page show them, and the start page's link ids.
#pragma once

#include <QString>
#include <QStringList>

// Menu text of entry i (0 = oldest) of n: "&%d %s" for numbers 1..9, "%d %s" beyond.
QString RecentMenuText(int index, int count, const QString& path);

// "CMD_ID_NEW" and friends, and "CMD_ID_RF_<n>" (40000 + n); 0 for anything else.
int StartPageCommand(const QString& elementId);

// The inner HTML of the start page's recent list, newest first.
QString RecentListHtml(const QStringList& recent);

// The status bar text for the link under the mouse.
QString StartPageLinkStatus(const QString& url, const QStringList& recent);

// The command of a clicked start page link: its last path component is the
// element id, or its "?rf=n" query names a recent file.
int StartPageLinkCommand(const QString& url);
