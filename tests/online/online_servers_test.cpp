// The servers' addresses: built-in, or set by a deployment in config.xml.
#include "config/core/configurator.h"
#include "online/core/online_servers.h"
#include "support/scripted_prompter.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(OnlineServers, ConfiguredAddressesOnlyWhenUsable) {
    const OnlineServers defaults = DefaultOnlineServers();
    struct Case {
        QString configured;
        QUrl expected;
    };
    const Case cases[] = {
        {{}, defaults.stat},
        {u"https://stat.example.org:8443"_s, QUrl(u"https://stat.example.org:8443"_s)},
        {u" http://10.0.0.5/some/path?q=1 "_s, QUrl(u"http://10.0.0.5"_s)},
        {u"ftp://stat.example.org"_s, defaults.stat},
        {u"stat.example.org"_s, defaults.stat},
        {u"http://"_s, defaults.stat},
    };
    for (const Case& c : cases) {
        const OnlineServers servers = ResolveOnlineServers({c.configured, {}});
        EXPECT_EQ(servers.stat, c.expected) << c.configured.toStdString();
        EXPECT_EQ(servers.info, defaults.info);
    }
}

TEST(OnlineServers, ReadFromConfigXml) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"langs.xml", "stylers.xml"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(SCRIVO_RESOURCES "/") + QLatin1StringView(name),
                                dir.filePath(QLatin1StringView(name))));
    ASSERT_TRUE(WriteBytes(dir.filePath(u"config.xml"_s),
                           "<?xml version=\"1.0\"?>\n<Scrivo><OnlineServers>"
                           "<StatServer Val=\"https://stat.example.org\"/><InfoServer Val=\"http://127.0.0.1:8080\"/>"
                           "</OnlineServers></Scrivo>\n"));
    ScriptedPrompter prompter;
    Configurator config(dir.path(), dir.filePath(u"user"_s), prompter);
    ASSERT_TRUE(config.Load());
    const OnlineServers servers = ResolveOnlineServers(config.Servers());
    EXPECT_EQ(servers.stat, QUrl(u"https://stat.example.org"_s));
    EXPECT_EQ(servers.info, QUrl(u"http://127.0.0.1:8080"_s));
}
