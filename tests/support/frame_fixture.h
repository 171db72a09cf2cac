// A main frame over a real configuration in a temporary program folder, with scripted answers.
#pragma once

#include "app/core/command_ids.h"
#include "config/core/configurator.h"
#include "support/frame_parts.h"
#include "support/scripted_prompter.h"
#include "support/test_files.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* name : {"langs.xml", "stylers.xml", "config.xml"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(SCRIVO_RESOURCES "/") + QLatin1StringView(name),
                                    m_dir.filePath(QLatin1StringView(name))));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("config.xml")), QFile::ReadOwner | QFile::WriteOwner);
        CreateFrame();
    }

    void CreateFrame() {
        m_frame.reset();
        m_config = std::make_unique<Configurator>(m_dir.path(), m_dir.filePath(QStringLiteral("user")), m_prompter);
        ASSERT_TRUE(m_config->Load());
        m_frame = std::make_unique<CMainFrame>(*m_config, m_prompter, QUrl());
    }

    // A script file in the temporary folder.
    QString Script(const QString& name, const QByteArray& text = "Name \"x\"\r\n") {
        EXPECT_TRUE(WriteBytes(m_dir.filePath(name), text));
        return m_dir.filePath(name);
    }

    QByteArray ConfigBytes() const { return ReadBytes(m_dir.filePath(QStringLiteral("config.xml"))); }

    // Opens a script that keeps makensis busy and compiles it; the compile
    // runs until the test stops it.
    void StartSleepingCompile() {
        ASSERT_TRUE(Docs().OpenDocument(Script(QStringLiteral("sleeping.nsi"), "!system \"sleep 30\"\n"), false));
        m_frame->OnCommand(Cmd::Compile);
        ASSERT_TRUE(FrameCompiler(*m_frame).IsCompiling());
    }

    DocumentSet& Docs() { return FrameDocuments(*m_frame); }
    bool Enabled(int id) const { return FrameActions(*m_frame).Action(id)->isEnabled(); }
    QString Title(int index) { return Docs().Item(index)->GetTitle(); }
    static void Settle() { QCoreApplication::processEvents(); }

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    std::unique_ptr<Configurator> m_config;
    std::unique_ptr<CMainFrame> m_frame;
};
