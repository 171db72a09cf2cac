// Shared set-up for the command tests: a loaded configuration in a temporary program folder and a real editor.
#pragma once

#include "config/core/configurator.h"
#include "editor/ui/qsci_base.h"
#include "support/scripted_prompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// Copies the shipped XML files into a fresh program folder.
inline bool CopyResources(const QString& folder) {
    for (const char* name : {"langs.xml", "stylers.xml", "config.xml"}) {
        const QString target = QDir(folder).filePath(QString::fromLatin1(name));
        QFile::remove(target);
        if (!QFile::copy(QStringLiteral(SCRIVO_RESOURCES "/") + QString::fromLatin1(name), target))
            return false;
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

class ConfiguredTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_programFolder = m_dir.filePath(QStringLiteral("program"));
        ASSERT_TRUE(QDir().mkpath(m_programFolder));
        ASSERT_TRUE(CopyResources(m_programFolder));
        ReloadConfig();
    }

    // A fresh configuration object reading what is on disk, as after a restart.
    void ReloadConfig() {
        m_config = std::make_unique<Configurator>(m_programFolder, m_dir.filePath(QStringLiteral("user")), m_prompter);
        ASSERT_TRUE(m_config->Load());
    }

    QTemporaryDir m_dir;
    QString m_programFolder;
    ScriptedPrompter m_prompter;
    std::unique_ptr<Configurator> m_config;
};

// An editing component set up as the editor view sets it up for text: UTF-8.
class EditorTest : public ConfiguredTest {
protected:
    void SetUp() override {
        ConfiguredTest::SetUp();
        m_editor = std::make_unique<QsciScintillaBase>();
        m_editor->resize(400, 300);
        m_editor->SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, 65001);
    }

    void SetText(const QByteArray& utf8) {
        m_editor->SendScintilla(QsciScintillaBase::SCI_SETTEXT, utf8.constData());
        m_editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    }
    QByteArray Text() const {
        const long length = Send(QsciScintillaBase::SCI_GETLENGTH);
        QByteArray text(length + 1, '\0');
        m_editor->SendScintilla(QsciScintillaBase::SCI_GETTEXT, (unsigned long)(length + 1), text.data());
        text.chop(1);
        return text;
    }
    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const {
        return m_editor->SendScintilla(message, wParam, lParam);
    }
    void Select(long anchor, long caret) { Send(QsciScintillaBase::SCI_SETSEL, (unsigned long)anchor, caret); }
    std::pair<long, long> Selection() const {
        return {Send(QsciScintillaBase::SCI_GETSELECTIONSTART), Send(QsciScintillaBase::SCI_GETSELECTIONEND)};
    }

    std::unique_ptr<QsciScintillaBase> m_editor;
};
