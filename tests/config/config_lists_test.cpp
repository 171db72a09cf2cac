// Tests of the lists kept in config.xml: recent files, documents left open, find histories.
#include "config_fixture.h"

using ConfiguratorLists = ConfigFolderTest;

TEST_F(ConfiguratorLists, RecentFilesKeepTheNewestSixteenAndRewriteOnlyOnChange) {
    WriteFiles();
    Configurator& config = Loaded();
    for (int i = 1; i <= kMaxRecentFiles + 1; ++i)
        config.AddRecentFile(QStringLiteral("/home/u/setup%1.nsi").arg(i));
    QStringList stored = Loaded().RecentFiles();
    ASSERT_EQ(stored.size(), kMaxRecentFiles);
    EXPECT_EQ(stored.first(), QStringLiteral("/home/u/setup2.nsi"));
    EXPECT_EQ(stored.last(), QStringLiteral("/home/u/setup17.nsi"));

    // Re-adding moves an entry to the end in its new letter case; removing ignores case.
    m_config->ClearRecentFiles();
    EXPECT_FALSE(ReadBytes(PathOf("config.xml")).contains("RecentFiles"));
    const QString chinese = QStringLiteral("/home/张三/安装脚本/示例 & <test>.nsi");
    for (const QString& path :
         {QStringLiteral("/a/One.nsi"), chinese, QStringLiteral("/b/two.nsi"), QStringLiteral("/A/ONE.NSI")})
        m_config->AddRecentFile(path);
    m_config->RemoveRecentFile(QStringLiteral("/B/Two.NSI"));
    EXPECT_EQ(Loaded().RecentFiles(), (QStringList{chinese, QStringLiteral("/A/ONE.NSI")}));

    // A marker shows any rewrite, even one of the same bytes.
    const QByteArray marked = ReadBytes(PathOf("config.xml")) + "<!-- marker -->";
    ASSERT_TRUE(WriteBytes(PathOf("config.xml"), marked));
    m_config->AddRecentFile(QStringLiteral("/A/ONE.NSI"));
    m_config->AddRecentFile(QStringLiteral("/a/one.nsi"));
    m_config->AddRecentFile(QString());
    m_config->RemoveRecentFile(QStringLiteral("/a/none.nsi"));
    EXPECT_EQ(ReadBytes(PathOf("config.xml")), marked);
}

TEST_F(ConfiguratorLists, OpenFilesRecordTheActiveTabAndRewriteOnlyOnChange) {
    WriteFiles();
    Configurator& config = Loaded();
    EXPECT_TRUE(config.WriteOpenFiles({}));  // the element had to be created
    EXPECT_FALSE(config.WriteOpenFiles({}));
    const QStringList entries{QStringLiteral("1") + QLatin1String(kStartPageEntry), QStringLiteral("0/home/u/a.nsi")};
    EXPECT_TRUE(config.WriteOpenFiles(entries));
    config.SaveBaseConfig();
    const QByteArray bytes = ReadBytes(PathOf("config.xml"));
    EXPECT_TRUE(bytes.contains("<LF File=\"1#StartPage#\"/>\n        <LF File=\"0/home/u/a.nsi\"/>"));
    Configurator& again = Loaded();
    EXPECT_EQ(again.ReadOpenFiles(), entries);
    EXPECT_FALSE(again.WriteOpenFiles(entries));
    EXPECT_TRUE(again.WriteOpenFiles({"0/a.nsi", "1/b.nsi", "0/c.nsi"}));
    // Letter case counts: on this system /b.nsi and /B.nsi are different files.
    EXPECT_TRUE(again.WriteOpenFiles({"0/a.nsi", "1/B.nsi"}));
    EXPECT_EQ(again.ReadOpenFiles(), (QStringList{"0/a.nsi", "1/B.nsi"}));
    EXPECT_TRUE(again.WriteOpenFiles({"1/a.nsi", "0/B.nsi", "0/d.nsi"}));
    EXPECT_EQ(again.ReadOpenFiles(), (QStringList{"1/a.nsi", "0/B.nsi", "0/d.nsi"}));
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
    EXPECT_TRUE(again.WriteHistory(kFindHistory, {"new"}));
    EXPECT_EQ(again.ReadHistory(kFindHistory), QStringList{"new"});
}
