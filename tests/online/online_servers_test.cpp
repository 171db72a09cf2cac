// The servers' addresses: built-in, or set by a deployment (read from config.xml in the frame's tests).
#include "config/core/configurator.h"
#include "online/core/online_servers.h"

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
