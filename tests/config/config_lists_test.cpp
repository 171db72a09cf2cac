// Tests of the lists kept in config.xml: recent files, documents left open, find histories.
#include "config_fixture.h"

#include <QFileInfo>

using ConfiguratorLists = ConfigFolderTest;

namespace {
QString Path(int i) {
    return QStringLiteral("/home/u/scripts/setup%1.nsi").arg(i);
}
}  // namespace

TEST_F(ConfiguratorLists, RecentFilesKeepTheNewestSixteen) {
    WriteFiles();
    Configurator& config = Loaded();
    for (int i = 1; i <= kMaxRecentFiles; ++i)
        config.AddRecentFile(Path(i));
    EXPECT_EQ(config.RecentFiles().size(), kMaxRecentFiles);
    config.AddRecentFile(Path(17));

    const QStringList stored = Loaded().RecentFiles();
    ASSERT_EQ(stored.size(), kMaxRecentFiles);
    EXPECT_EQ(stored.first(), Path(2));
    EXPECT_EQ(stored.last(), Path(17));
}

TEST_F(ConfiguratorLists, ReAddingMovesToTheEndInTheNewCase) {
    WriteFiles();
    Configurator& config = Loaded();
    config.AddRecentFile(QStringLiteral("/a/One.nsi"));
    config.AddRecentFile(QStringLiteral("/a/two.nsi"));
    config.AddRecentFile(QStringLiteral("/A/ONE.NSI"));
    EXPECT_EQ(Loaded().RecentFiles(),
              (QStringList{QStringLiteral("/a/two.nsi"), QStringLiteral("/A/ONE.NSI")}));
}

TEST_F(ConfiguratorLists, ReAddingTheNewestWritesNothing) {
    WriteFiles();
    Configurator& config = Loaded();
    config.AddRecentFile(QStringLiteral("/a/one.nsi"));
    config.AddRecentFile(QStringLiteral("/a/two.nsi"));
    const QByteArray before = ReadBytes(PathOf("config.xml"));
    // Make any rewrite visible even when it would write the same bytes.
    ASSERT_TRUE(QFile::remove(PathOf("config.xml")));
    ASSERT_TRUE(WriteBytes(PathOf("config.xml"), before + "<!-- marker -->"));

    config.AddRecentFile(QStringLiteral("/a/two.nsi"));
    config.AddRecentFile(QStringLiteral("/A/TWO.NSI"));
    config.AddRecentFile(QString());
    config.RemoveRecentFile(QStringLiteral("/a/none.nsi"));
    EXPECT_EQ(ReadBytes(PathOf("config.xml")), before + "<!-- marker -->");
}

TEST_F(ConfiguratorLists, RemoveAndClear) {
    WriteFiles();
    Configurator& config = Loaded();
    config.AddRecentFile(QStringLiteral("/a/one.nsi"));
    config.AddRecentFile(QStringLiteral("/a/two.nsi"));
    config.RemoveRecentFile(QStringLiteral("/A/One.NSI"));
    EXPECT_EQ(Loaded().RecentFiles(), QStringList{QStringLiteral("/a/two.nsi")});

    Configurator& again = Loaded();
    again.ClearRecentFiles();
    EXPECT_TRUE(again.RecentFiles().isEmpty());
    EXPECT_FALSE(ReadBytes(PathOf("config.xml")).contains("RecentFiles"));
    EXPECT_TRUE(Loaded().RecentFiles().isEmpty());
}

TEST_F(ConfiguratorLists, NonAsciiPathsSurvive) {
    WriteFiles();
    const QString path = QStringLiteral("/home/张三/安装脚本/示例 & <test>.nsi");
    Loaded().AddRecentFile(path);
    EXPECT_EQ(Loaded().RecentFiles(), QStringList{path});
}

TEST_F(ConfiguratorLists, OpenFilesRecordTheActiveTab) {
    WriteFiles();
    Configurator& config = Loaded();
    const QStringList entries{QStringLiteral("1") + QLatin1String(kStartPageEntry),
                              QStringLiteral("0/home/u/a.nsi")};
    EXPECT_TRUE(config.WriteOpenFiles(entries));
    config.SaveBaseConfig();
    const QByteArray bytes = ReadBytes(PathOf("config.xml"));
    EXPECT_TRUE(bytes.contains("<LF File=\"1#StartPage#\"/>"));
    EXPECT_TRUE(bytes.contains("<LF File=\"0/home/u/a.nsi\"/>"));

    Configurator& again = Loaded();
    EXPECT_EQ(again.ReadOpenFiles(), entries);
    EXPECT_FALSE(again.WriteOpenFiles(entries));
}

TEST_F(ConfiguratorLists, OpenFilesRewriteSideBySide) {
    WriteFiles();
    Configurator& config = Loaded();
    EXPECT_TRUE(config.WriteOpenFiles({}));  // the element had to be created
    EXPECT_FALSE(config.WriteOpenFiles({}));
    EXPECT_TRUE(config.WriteOpenFiles({"0/a.nsi", "1/b.nsi", "0/c.nsi"}));
    EXPECT_TRUE(config.WriteOpenFiles({"0/a.nsi", "1/B.nsi"}));
    // Letter case is kept: on this system /b.nsi and /B.nsi are different files.
    EXPECT_EQ(config.ReadOpenFiles(), (QStringList{"0/a.nsi", "1/B.nsi"}));
    EXPECT_TRUE(config.WriteOpenFiles({"1/a.nsi", "0/B.nsi", "0/d.nsi"}));
    EXPECT_EQ(config.ReadOpenFiles(), (QStringList{"1/a.nsi", "0/B.nsi", "0/d.nsi"}));
}

TEST_F(ConfiguratorLists, HistoriesAreKeptPerBox) {
    WriteFiles();
    Configurator& config = Loaded();
    EXPECT_TRUE(config.WriteHistory(kFindHistory, {"needle", "查找", "a\"b"}));
    EXPECT_TRUE(config.WriteHistory(kReplaceHistory, {"thread"}));
    EXPECT_FALSE(config.WriteHistory(kFindHistory, {"needle", "查找", "a\"b"}));
    config.SaveBaseConfig();
    EXPECT_TRUE(ReadBytes(PathOf("config.xml")).contains("<FindReplaceText-1001>"));

    Configurator& again = Loaded();
    EXPECT_EQ(again.ReadHistory(kFindHistory), (QStringList{"needle", "查找", "a\"b"}));
    EXPECT_EQ(again.ReadHistory(kReplaceHistory), QStringList{"thread"});
    EXPECT_TRUE(again.ReadHistory(1003).isEmpty());
    EXPECT_TRUE(again.WriteHistory(kFindHistory, {"new"}));
    EXPECT_EQ(again.ReadHistory(kFindHistory), QStringList{"new"});
}

TEST_F(ConfiguratorLists, EntriesWithoutTheirAttributeReadAsEmpty) {
    WriteFiles("<Scrivo><RecentFiles><RF/><RF File=\"/x.nsi\"/><Other/></RecentFiles></Scrivo>");
    Configurator& config = Loaded();
    EXPECT_EQ(config.RecentFiles(), (QStringList{QString(), QStringLiteral("/x.nsi")}));
    config.AddRecentFile(QStringLiteral("/y.nsi"));
    EXPECT_TRUE(ReadBytes(PathOf("config.xml")).contains("<Other/>"));
}
