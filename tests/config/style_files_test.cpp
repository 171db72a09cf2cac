// Tests of langs.xml and stylers.xml: reading rules, saving rules and the shipped files.
#include "config_fixture.h"

#include "config/core/xml_values.h"

using StyleFiles = ConfigFolderTest;

TEST_F(StyleFiles, WordsStyleAttributes) {
    WriteFiles(kMinimalConfig, kMinimalLangs,
               Stylers("<LexerType name=\"nsis\" desc=\"NSIS\" ext=\"nsi\">"
                       "<WordsStyle styleID=\"5\" name=\"FUNCTION\" fgColor=\"FF0000\" bgColor=\"ff0000\""
                       " colorStyle=\"1\" fontName=\"Monospace\" fontStyle=\"3\" fontSize=\"12\""
                       " keywordClass=\"instre1\">extra words</WordsStyle>"
                       "<WordsStyle styleID=\"\" name=\"EMPTY\" fgColor=\"\" colorStyle=\"\" fontSize=\"x\"/>"
                       "<WordsStyle styleID=\"7\" name=\"BARE\"/>"
                       "</LexerType>"));
    Configurator& config = Loaded();
    const LexerType* lexer = config.FindLexerType(QStringLiteral("nsis"));
    ASSERT_NE(lexer, nullptr);
    EXPECT_EQ(lexer->desc, QStringLiteral("NSIS"));
    EXPECT_EQ(lexer->ext, QStringLiteral("nsi"));
    ASSERT_EQ(lexer->styles.size(), 3u);

    EXPECT_EQ(lexer->styles[0],
              (WordsStyle{.styleId = 5,
                          .name = QStringLiteral("FUNCTION"),
                          .foreColour = 0x0000FF,
                          .backColour = 0x0000FF,
                          .colourFlags = kApplyForeColour,
                          .fontName = QStringLiteral("Monospace"),
                          .fontStyle = kFontBold | kFontItalic,
                          .fontSize = 12,
                          .keywordClass = 0,
                          .keywords = QStringLiteral("extra words")}));
    EXPECT_EQ(
        lexer->styles[1],
        (WordsStyle{.styleId = 0, .name = QStringLiteral("EMPTY"), .foreColour = 0, .colourFlags = 0, .fontSize = -1}));
    // Missing attributes: fore colour -1, still applied through bit 0.
    EXPECT_EQ(lexer->styles[2], (WordsStyle{.styleId = 7, .name = QStringLiteral("BARE")}));
}

TEST_F(StyleFiles, SkippedElementsAndLimits) {
    QByteArray styles;
    for (int i = 0; i < 35; ++i)
        styles += "<WordsStyle styleID=\"" + QByteArray::number(i) + "\" name=\"S" + QByteArray::number(i) + "\"/>";
    QByteArray lexers =
        "<LexerType desc=\"no name\"/>"
        "<LexerType name=\"nsis\">"
        "<WordsStyle name=\"no id\"/><WordsStyle styleID=\"abc\"/>"
        "<WordsStyle styleID=\"-1\"/><WordsStyle styleID=\"4096\"/>"
        "<WordsStyle styleID=\"1\" keywordClass=\"9\"/>"
        "<WordsStyle styleID=\"2\" keywordClass=\"type6\"/>"
        "<WordsStyle styleID=\"3\" keywordClass=\"type5\"/>"
        "</LexerType>"
        "<LexerType name=\"many\">"
        + styles + "</LexerType>";
    for (int i = 0; i < 85; ++i)
        lexers += "<LexerType name=\"L" + QByteArray::number(i) + "\"/>";
    WriteFiles(kMinimalConfig, kMinimalLangs, Stylers(lexers));
    Configurator& config = Loaded();

    EXPECT_EQ(config.LexerTypes().size(), size_t(kMaxLexerTypes));
    EXPECT_EQ(config.LexerTypes().front().name, QStringLiteral("nsis"));
    const LexerType& nsis = config.LexerTypes().front();
    ASSERT_EQ(nsis.styles.size(), 3u);
    EXPECT_EQ(nsis.styles[0].keywordClass, -1);
    EXPECT_EQ(nsis.styles[1].keywordClass, -1);
    EXPECT_EQ(nsis.styles[2].keywordClass, 6);

    const LexerType* many = config.FindLexerType(QStringLiteral("many"));
    ASSERT_NE(many, nullptr);
    ASSERT_EQ(many->styles.size(), size_t(kMaxStylesPerLexer));
    EXPECT_EQ(many->styles.back().name, QStringLiteral("S29"));
    EXPECT_EQ(config.FindLexerType(QStringLiteral("NSIS")), nullptr);
}

TEST_F(StyleFiles, LanguagesAndKeywords) {
    QByteArray languages =
        "<Language ext=\"x\"><Keywords name=\"instre1\">nameless</Keywords></Language>"
        "<Language name=\"first\" ext=\"nsi\" commentLine=\";\">"
        "<Keywords name=\"instre1\">old</Keywords><Keywords name=\"instre1\">Abort Call</Keywords>"
        "<Keywords name=\"type2\"/><Keywords name=\"8\">eight</Keywords>"
        "<Keywords name=\"bogus\">lost</Keywords><Keywords>unnamed</Keywords>"
        "</Language>"
        "<Language name=\"nsis\"><Keywords name=\"instre2\">$INSTDIR</Keywords></Language>";
    for (int i = 0; i < 85; ++i)
        languages += "<Language name=\"L" + QByteArray::number(i) + "\"/>";
    WriteFiles(kMinimalConfig, Langs(languages));
    Configurator& config = Loaded();

    EXPECT_EQ(config.Languages().size(), size_t(kMaxLanguages));
    EXPECT_EQ(config.Languages().front().name, QStringLiteral("first"));
    EXPECT_EQ(config.KeywordsFor(kNsisLanguageId, 0), QStringLiteral("Abort Call"));
    EXPECT_EQ(config.KeywordsFor(kNsisLanguageId, 3), QString());
    EXPECT_EQ(config.KeywordsFor(kNsisLanguageId, 8), QStringLiteral("eight"));
    // Only the first language counts, even when a later one is named for NSIS.
    for (const auto& [language, keywordClass] : std::initializer_list<std::pair<int, int>>{
             {kNsisLanguageId, 1}, {kNsisLanguageId, 2}, {kNsisLanguageId, 9}, {kNsisLanguageId, -1}, {27, 0}})
        EXPECT_FALSE(config.KeywordsFor(language, keywordClass)) << language << " " << keywordClass;
}

TEST_F(StyleFiles, SaveWritesTheRecordsBack) {
    const QByteArray original = Stylers(
        "<LexerType name=\"nsis\" desc=\"NSIS\" custom=\"kept\">"
        "<WordsStyle styleID=\"0\" name=\"DEFAULT\" fgColor=\"FF0000\" bgColor=\"ffffff\" fontName=\"Old\" "
        "extra=\"1\"/>"
        "<WordsStyle styleID=\"5\" name=\"FUNCTION\" fgColor=\"0000FF\" "
        "keywordClass=\"instre1\"><!--c-->old</WordsStyle>"
        "<WordsStyle styleID=\"6\" name=\"DEFAULT\" fgColor=\"00FF00\"/>"
        "<WordsStyle styleID=\"7\" name=\"UNTOUCHED\" fgColor=\"ABCDEF\" colorStyle=\"1\"/>"
        "</LexerType>"
        "<LexerType name=\"other\" ext=\"o\"/>");
    WriteFiles(kMinimalConfig, kMinimalLangs, original);
    Configurator& config = Loaded();
    LexerType* lexer = config.FindLexerType(QStringLiteral("nsis"));
    ASSERT_NE(lexer, nullptr);
    WordsStyle* def = Configurator::FindStyle(*lexer, QStringLiteral("DEFAULT"));
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->styleId, 0);  // the first of that name
    def->foreColour = 0x00FF00;  // green, red-low
    def->backColour = -1;
    def->colourFlags = kApplyForeColour;
    def->fontName = QStringLiteral("Noto Sans Mono CJK SC");
    def->fontSize = 0;
    def->fontStyle = kFontUnderline;
    WordsStyle* function = Configurator::FindStyle(*lexer, QStringLiteral("FUNCTION"));
    ASSERT_NE(function, nullptr);
    function->keywords = QStringLiteral("MyMacro 自定义");
    WordsStyle expected = *def;
    EXPECT_TRUE(config.SaveStyles());

    const QByteArray saved = ReadBytes(PathOf("stylers.xml"));
    // A back colour of -1 leaves bgColor alone.
    EXPECT_EQ(Lacking(saved,
                      {"custom=\"kept\"", "extra=\"1\"", "bgColor=\"ffffff\"", "fgColor=\"00FF00\"", "<!--c-->",
                       "<LexerType name=\"other\" ext=\"o\"/>", "fgColor=\"ABCDEF\" colorStyle=\"1\"/>"}),
              QByteArrayList{});

    Configurator& again = Loaded();
    const LexerType& reread = again.LexerTypes().front();
    ASSERT_EQ(reread.styles.size(), 4u);
    EXPECT_EQ(reread.ext, QString());  // an absent ext is written as an empty attribute
    expected.backColour = 0xFFFFFF;    // the file's, left alone
    EXPECT_EQ(reread.styles[0], expected);
    EXPECT_EQ(reread.styles[1].keywords, QStringLiteral("MyMacro 自定义"));
    // A later style of the same name receives the first one's values.
    expected.styleId = 6;
    expected.backColour = -1;  // it had no bgColor
    EXPECT_EQ(reread.styles[2], expected);
    EXPECT_EQ(reread.styles[3].foreColour, ParseRgbColour("ABCDEF"));
}
