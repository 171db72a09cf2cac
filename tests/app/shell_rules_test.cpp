// Rules of the document set and of the recent files that need no window.
#include "app/core/command_ids.h"
#include "app/core/document_rules.h"
#include "app/core/recent_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ShellRules, ActiveTabAfterClose) {
    // Closing the active third of five: the new third becomes active.
    EXPECT_EQ(ActiveIndexAfterClose(2, 2, 4), 2);
    // Closing the active last of five: the new last.
    EXPECT_EQ(ActiveIndexAfterClose(4, 4, 4), 3);
    // Closing a tab left of the active one keeps the same document active.
    EXPECT_EQ(ActiveIndexAfterClose(3, 1, 4), 2);
    // Closing a tab right of the active one changes nothing.
    EXPECT_EQ(ActiveIndexAfterClose(1, 3, 4), 1);
}

TEST(ShellRules, DroppedFilesByExtension) {
    EXPECT_TRUE(IsDroppableScript(QStringLiteral("/x/setup.nsi")));
    EXPECT_TRUE(IsDroppableScript(QStringLiteral("/x/lib.nsh")));
    EXPECT_TRUE(IsDroppableScript(QStringLiteral("/x.d/README")));  // no extension at all
    EXPECT_TRUE(IsDroppableScript(QStringLiteral("/x/main.c")));
    EXPECT_FALSE(IsDroppableScript(QStringLiteral("/x/setup.exe")));
    EXPECT_FALSE(IsDroppableScript(QStringLiteral("/x/SETUP.NSI")));  // the match is case-sensitive
}

TEST(ShellRules, CaptionAndPathParts) {
    EXPECT_EQ(CaptionText(QStringLiteral("/a/b.nsi"), QStringLiteral("Korvane安装"), true),
              QStringLiteral("*/a/b.nsi - Korvane安装"));
    EXPECT_EQ(CaptionText(QStringLiteral("起始页 "), QStringLiteral("Korvane安装"), false),
              QStringLiteral("起始页  - Korvane安装"));
    EXPECT_EQ(FileNamePart(QStringLiteral("/a/b.nsi")), QStringLiteral("b.nsi"));
    EXPECT_EQ(FolderPart(QStringLiteral("/a/b.nsi")), QStringLiteral("/a"));
    EXPECT_EQ(FolderPart(QStringLiteral("/b.nsi")), QStringLiteral("/"));
    EXPECT_EQ(FolderPart(QString()), QString());
}

TEST(ShellRules, StoredOpenFilesRoundTrip) {
    const auto entries = ParseOpenFiles({QStringLiteral("0/a.nsi"), QString(), QStringLiteral("1#StartPage#"),
                                         QStringLiteral("0#startpage#")});
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries[0].active);
    EXPECT_EQ(entries[0].path, QStringLiteral("/a.nsi"));
    EXPECT_TRUE(entries[1].active);
    EXPECT_TRUE(entries[1].startPage);
    EXPECT_FALSE(entries[2].startPage);  // the marker is case-sensitive
    EXPECT_EQ(FormatOpenFile(entries[1]), QStringLiteral("1#StartPage#"));
    EXPECT_EQ(FormatOpenFile(entries[0]), QStringLiteral("0/a.nsi"));
}

TEST(ShellRules, SameFileBySpellingNotByLetterCase) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nsi"));
    QFile(path).open(QIODevice::WriteOnly);
    EXPECT_TRUE(IsSameFile(path, dir.path() + QStringLiteral("/./a.nsi")));
    ASSERT_TRUE(QFile::link(path, dir.filePath(QStringLiteral("link.nsi"))));
    EXPECT_TRUE(IsSameFile(path, dir.filePath(QStringLiteral("link.nsi"))));
    // On a case-sensitive file system another letter case is another file.
    QFile(dir.filePath(QStringLiteral("A.nsi"))).open(QIODevice::WriteOnly);
    EXPECT_FALSE(IsSameFile(path, dir.filePath(QStringLiteral("A.nsi"))));
    EXPECT_FALSE(IsSameFile(path, dir.filePath(QStringLiteral("missing.nsi"))));
}

TEST(RecentFiles, MenuNumbersNewestFirstWithAccessKeysUpToNine) {
    EXPECT_EQ(RecentMenuText(11, 12, QStringLiteral("/n.nsi")), QStringLiteral("&1 /n.nsi"));
    EXPECT_EQ(RecentMenuText(3, 12, QStringLiteral("/p.nsi")), QStringLiteral("&9 /p.nsi"));
    EXPECT_EQ(RecentMenuText(2, 12, QStringLiteral("/q.nsi")), QStringLiteral("10 /q.nsi"));
    EXPECT_EQ(RecentMenuText(0, 12, QStringLiteral("/o.nsi")), QStringLiteral("12 /o.nsi"));
}

TEST(RecentFiles, StartPageIdsMapToCommands) {
    EXPECT_EQ(StartPageCommand(QStringLiteral("CMD_ID_NEW")), Cmd::NewBlank);
    EXPECT_EQ(StartPageCommand(QStringLiteral("cmd_id_new_wizard")), Cmd::NewWizard);
    EXPECT_EQ(StartPageCommand(QStringLiteral("CMD_ID_NEW_TPL")), Cmd::NewTemplate);
    EXPECT_EQ(StartPageCommand(QStringLiteral("CMD_ID_OPEN")), Cmd::Open);
    EXPECT_EQ(StartPageCommand(QStringLiteral("cmd_id_rf_7")), ID_RECENT_FILE_FIRST + 7);
    EXPECT_EQ(StartPageCommand(QStringLiteral("CMD_ID_RF_x")), 0);
    EXPECT_EQ(StartPageCommand(QStringLiteral("CMD_ID_RF_99999")), 0);
    EXPECT_EQ(StartPageCommand(QStringLiteral("CMD_ID_OPENX")), 0);
    EXPECT_EQ(StartPageLinkCommand(QStringLiteral("qrc:/startpage/?rf=2")), ID_RECENT_FILE_FIRST + 2);
    EXPECT_EQ(StartPageLinkCommand(QStringLiteral("qrc:/startpage/CMD_ID_OPEN")), Cmd::Open);
}

TEST(RecentFiles, PageListNewestFirstWithStoredIndices) {
    const QString html = RecentListHtml({QStringLiteral("/old/a.nsi"), QStringLiteral("/new/<b>.nsi")});
    EXPECT_EQ(html, QStringLiteral("<ol><li><a id=\"CMD_ID_RF_1\" href=\"?rf=1\" title=\"/new/&lt;b&gt;.nsi\">&lt;b&gt;.nsi</a></li>"
                                   "<li><a id=\"CMD_ID_RF_0\" href=\"?rf=0\" title=\"/old/a.nsi\">a.nsi</a></li></ol>"));
    EXPECT_EQ(RecentListHtml({}), QStringLiteral("<ol></ol>"));
}

TEST(RecentFiles, StatusTextsOfLinks) {
    const QStringList recent{QStringLiteral("/a.nsi"), QStringLiteral("/b.nsi")};
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/CMD_ID_OPEN"), recent), QStringLiteral("打开已存在的脚本"));
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/CMD_ID_RF_1"), recent), QStringLiteral("/b.nsi"));
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/CMD_ID_RF_5"), recent), QString());
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/?rf=0"), recent), QStringLiteral("打开文件：/a.nsi"));
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("qrc:/startpage/other"), recent), QString());
    EXPECT_EQ(StartPageLinkStatus(QStringLiteral("http://example.org/x?rf=9"), recent),
              QStringLiteral("http://example.org/x?rf=9"));
}
