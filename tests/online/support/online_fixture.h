// A loaded configuration in a temporary program folder and a statistics service on loopback.
#pragma once

#include "config/core/configurator.h"
#include "online/core/online_servers.h"
#include "online/core/user_info_logic.h"
#include "online/support/stat_request_decoder.h"
#include "support/test_http_server.h"
#include "support/scripted_prompter.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const LoginRecord& r, std::ostream* os) {
    *os << "{" << r.email.toStdString() << ", " << r.password.toStdString() << ", save " << r.save << ", autol "
        << r.autoLogin << "}";
}

// The answers of the service's sign-in: "user01" with "secret1" is a good sign-in.
inline ScriptedAnswer SignInAnswer(const DecodedStatRequest& request) {
    if (!request.crcMatches)
        return ScriptedAnswer::Text("err:-30");
    if (request.email == QStringLiteral("user01") && request.pwd == QStringLiteral("37f55d6042498a66e39173b3baa69514"))
        return ScriptedAnswer::Text(
            request.function == 10 ? "err:0\nct:2\nid0:A1\nname0:Setup A\nid1:7KFBDS3C\nname1:演示安装" : "err:0");
    return ScriptedAnswer::Text("err:-1");
}

// The stored sign-in of a user who chose to be signed in automatically.
inline QByteArray StoredAutoLogin() {
    return "<UserInfo><email Val=\"user01\"/><pwd Val=\"" + EncodePassword("37f55d6042498a66e39173b3baa69514")
        + "\"/><save Val=\"1\"/><autol Val=\"1\"/></UserInfo>";
}

// config.xml of the resources, with extra elements before its end, at `path`.
inline bool WriteConfig(const QString& path, const QByteArray& extra) {
    QByteArray config = ReadBytes(QStringLiteral(SCRIVO_RESOURCES "/config.xml"));
    config.replace("</Scrivo>", extra + "</Scrivo>");
    return WriteBytes(path, config);
}

class OnlineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_server.IsListening());
        m_server.SetHandler(
            [](const HttpExchange& exchange) { return SignInAnswer(DecodeStatRequest(exchange.body)); });
        for (const char* name : {"langs.xml", "stylers.xml"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(SCRIVO_RESOURCES "/") + QLatin1StringView(name),
                                    m_dir.filePath(QLatin1StringView(name))));
        LoadConfig();
    }

    void LoadConfig(const QByteArray& extra = {}) {
        ASSERT_TRUE(WriteConfig(ConfigPath(), extra));
        ReloadConfig();
    }

    // Reads the files as they are now, as the next start would.
    void ReloadConfig() {
        m_config = std::make_unique<Configurator>(m_dir.path(), m_dir.filePath(QStringLiteral("user")), m_prompter);
        ASSERT_TRUE(m_config->Load());
    }

    // A statistics client of the loaded configuration, talking to the loopback service.
    std::unique_ptr<CUserInfoLogic> NewUser(int timeoutMs = 8000) const {
        return std::make_unique<CUserInfoLogic>(*m_config, StatServiceUrl(Servers()), timeoutMs);
    }
    OnlineServers Servers() const { return {m_server.Url(), m_server.Url()}; }
    QString ConfigPath() const { return m_dir.filePath(QStringLiteral("config.xml")); }
    QByteArray ConfigBytes() const { return ReadBytes(ConfigPath()); }

    QTemporaryDir m_dir;
    TestHttpServer m_server;
    ScriptedPrompter m_prompter;
    std::unique_ptr<Configurator> m_config;
};
