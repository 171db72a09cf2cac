// The shipped langs.xml, stylers.xml and config.xml: complete, true to makensis, and understood by our NSIS lexer.
#include "config_fixture.h"
#include "support/run_tool.h"

#include "nsis/core/nsis_lexer.h"

#include <QRegularExpression>
#include <QSet>

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
    const QString help = QString::fromUtf8(RunTool(QStringLiteral("makensis"), {QStringLiteral("-CMDHELP")}).output);
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
    NsisKeywords keywords;
    for (int set = 0; set < NsisKeywords::kSets; ++set)
        keywords.SetList(set, Keywords(set).join(' ').toStdString());
    const std::string script =
        "Function un.onInit\n"
        "SetOutPath $INSTDIR\n"
        "StrCpy $R9 $PROGRAMFILES\n"
        "WriteRegStr HKLM \"Software\\x\" \"\" \"\"\n"
        "!define NAME 1\n"
        "FunctionEnd\n";
    const NsisLexResult result = LexNsis(script, {}, keywords);

    const auto styleAt = [&](const char* word) {
        const std::size_t at = script.find(word);
        EXPECT_NE(at, std::string::npos) << word;
        return at == std::string::npos ? NsisStyle::Default : NsisStyle(result.styles[at]);
    };
    for (const char* command : {"SetOutPath", "StrCpy", "WriteRegStr", "!define"})
        EXPECT_EQ(styleAt(command), NsisStyle::Command) << command;
    for (const char* variable : {"$INSTDIR", "$R9", "$PROGRAMFILES"})
        EXPECT_EQ(styleAt(variable), NsisStyle::Variable) << variable;
    EXPECT_EQ(styleAt("un.onInit"), NsisStyle::Label);
    EXPECT_EQ(styleAt("HKLM"), NsisStyle::UserDefined);
}
