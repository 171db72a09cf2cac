// Shared set-up for the configuration tests: a program folder in a temporary directory.
#pragma once

#include "config/core/configurator.h"
#include "support/scripted_prompter.h"
#include "support/test_files.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

inline QByteArray Langs(const QByteArray& languages) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scrivo><Languages>" + languages + "</Languages></Scrivo>\n";
}
inline QByteArray Stylers(const QByteArray& lexerTypes) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scrivo><LexerStyles>" + lexerTypes
        + "</LexerStyles></Scrivo>\n";
}

inline const QByteArray kMinimalLangs =
    Langs("<Language name=\"nsis\"><Keywords name=\"instre1\">Abort Call</Keywords></Language>");
inline const QByteArray kMinimalStylers = Stylers(
    "<LexerType name=\"nsis\" desc=\"NSIS\" ext=\"\">"
    "<WordsStyle styleID=\"0\" name=\"DEFAULT\" fgColor=\"000000\" bgColor=\"FFFFFF\" /></LexerType>");
inline const QByteArray kMinimalConfig = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scrivo>\n</Scrivo>\n";

class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path() + QStringLiteral("/program");
        m_userFolder = m_dir.path() + QStringLiteral("/user");
        ASSERT_TRUE(QDir().mkpath(m_folder));
    }

    QString PathOf(const QString& name) const { return QDir(m_folder).filePath(name); }

    // Writes the three files; an empty text leaves that file out.
    void WriteFiles(const QByteArray& config = kMinimalConfig, const QByteArray& langs = kMinimalLangs,
                    const QByteArray& stylers = kMinimalStylers) {
        const std::pair<const char*, QByteArray> files[] = {
            {"langs.xml", langs}, {"stylers.xml", stylers}, {"config.xml", config}};
        for (const auto& [name, bytes] : files) {
            if (!bytes.isEmpty()) {
                ASSERT_TRUE(WriteBytes(PathOf(name), bytes));
            }
        }
    }

    // A fresh Configurator over the folder, as at a new start.
    Configurator& Reopen() {
        m_config = std::make_unique<Configurator>(m_folder, m_userFolder, m_prompter);
        return *m_config;
    }

    Configurator& Loaded() {
        Configurator& config = Reopen();
        EXPECT_TRUE(config.Load());
        return config;
    }

    QTemporaryDir m_dir;
    QString m_folder;
    QString m_userFolder;
    ScriptedPrompter m_prompter;
    std::unique_ptr<Configurator> m_config;
};
