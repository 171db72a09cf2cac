// The shipped langs.xml, stylers.xml and config.xml: complete, true to makensis, and understood by the NSIS lexer.
#include "config_fixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>

// QScintilla's header still uses the plain Qt keywords, which this project turns off.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qsciscintillabase.h>
#undef signals
#undef slots

class ShippedFiles : public ConfigFolderTest {
protected:
    void SetUp() override {
        ConfigFolderTest::SetUp();
        const QDir resources(QStringLiteral(SCRIVO_RESOURCES));
        for (const QString name : {"langs.xml", "stylers.xml", "config.xml"})
            ASSERT_TRUE(QFile::copy(resources.filePath(name), PathOf(name)));
        ASSERT_TRUE(Reopen().Load());
    }

    QStringList Keywords(int keywordClass) const {
        return m_config->KeywordsFor(kNsisLanguageId, keywordClass).value_or(QString()).split(' ');
    }
};

TEST_F(ShippedFiles, EveryLexerStyleHasAColourAndTheSettingsTheirDefaults) {
    EXPECT_EQ(m_config->Base(), BaseConfig{});
    ASSERT_FALSE(m_config->LexerTypes().empty());
    QSet<int> ids;
    for (const WordsStyle& style : m_config->LexerTypes().front().styles) {
        ids.insert(style.styleId);
        EXPECT_NE(style.foreColour, -1) << style.styleId;
    }
    for (int id = 0; id <= 18; ++id)
        EXPECT_TRUE(ids.contains(id)) << id;
    EXPECT_TRUE(ids.contains(33));
    for (int keywordClass = 0; keywordClass <= 3; ++keywordClass) {
        // One line of single blanks: completion splits the lists at blanks.
        EXPECT_GT(Keywords(keywordClass).size(), 10) << keywordClass;
        EXPECT_FALSE(Keywords(keywordClass).contains(QString())) << keywordClass;
    }
}

TEST_F(ShippedFiles, CommandsAreThoseOfTheInstalledCompiler) {
    QProcess makensis;
    makensis.start(QStringLiteral("makensis"), {QStringLiteral("-CMDHELP")});
    ASSERT_TRUE(makensis.waitForFinished(30000));
    const QString help =
        QString::fromUtf8(makensis.readAllStandardOutput() + makensis.readAllStandardError());
    QSet<QString> commands;
    const QRegularExpression first(QStringLiteral("^(\\S+)"), QRegularExpression::MultilineOption);
    for (auto it = first.globalMatch(help); it.hasNext();)
        commands.insert(it.next().captured(1));
    ASSERT_GT(commands.size(), 200);
    EXPECT_TRUE(commands.contains(QStringLiteral("!define")));
    const QStringList listed = Keywords(0);
    EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()), commands);
}

TEST_F(ShippedFiles, KeywordListsReachTheirLexerStyles) {
    QsciScintillaBase editor;
    editor.SendScintilla(QsciScintillaBase::SCI_SETLEXER, QsciScintillaBase::SCLEX_NSIS);
    for (int set = 0; set <= 3; ++set) {
        const QByteArray words = Keywords(set).join(' ').toUtf8();
        editor.SendScintilla(QsciScintillaBase::SCI_SETKEYWORDS, set, words.constData());
    }
    const QByteArray script = "Function un.onInit\n"
                              "SetOutPath $INSTDIR\n"
                              "StrCpy $R9 $PROGRAMFILES\n"
                              "WriteRegStr HKLM \"Software\\x\" \"\" \"\"\n"
                              "!define NAME 1\n"
                              "FunctionEnd\n";
    editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, script.constData());
    editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, -1L);

    const auto styleAt = [&](const char* word) {
        const qsizetype at = script.indexOf(word);
        EXPECT_GE(at, 0) << word;
        return int(editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, long(at)));
    };
    // NSIS lexer styles: 5 function, 6 variable, 7 label, 8 user defined.
    for (const char* command : {"SetOutPath", "StrCpy", "WriteRegStr", "!define"})
        EXPECT_EQ(styleAt(command), 5) << command;
    for (const char* variable : {"$INSTDIR", "$R9", "$PROGRAMFILES"})
        EXPECT_EQ(styleAt(variable), 6) << variable;
    EXPECT_EQ(styleAt("un.onInit"), 7);
    EXPECT_EQ(styleAt("HKLM"), 8);
}
