// Tests of loading and saving config.xml: messages, settings, unknown elements, sign-in, bad input.
#include "config_fixture.h"
#include "config/core/xml_file.h"

#include <tinyxml2.h>

#include <initializer_list>

using namespace Qt::StringLiterals;
using ConfiguratorLoad = ConfigFolderTest;

TEST_F(ConfiguratorLoad, ValRulesAndDefaults) {
    WriteFiles(
        "<Scrivo><BaseConfig>"
        "<TabSize Val=\"\"/><Compressor Val=\"12ab\"/><ShowMaximized Val=\" -3\"/>"
        "<ShowToolbar/><CompilePath Val=\"/opt/nsis/makensis\"/>"
        "</BaseConfig></Scrivo>");
    Configurator& config = Loaded();
    BaseConfig expected;
    expected.TabSize = 0;
    expected.Compressor = -1;
    expected.ShowMaximized = -3;
    expected.CompilePath = QStringLiteral("/opt/nsis/makensis");
    EXPECT_EQ(config.Base(), expected);  // the rest, ShowToolbar too, keep their defaults
    EXPECT_EQ(config.NextUpdateTime(), 0);
    EXPECT_EQ(config.Login(), LoginRecord{});
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(ConfiguratorLoad, SavedSettingsComeBackInOrder) {
    WriteFiles();
    BaseConfig changed;
    changed.ShowCodeTree = 1;
    changed.HotCurLineColor = 0x123456;
    changed.CompilePath = QStringLiteral("/home/用户/nsis/makensis");
    changed.Defs = QStringLiteral("/DNAME=值\n/DDEBUG");
    changed.SaveCompile = 0;
    changed.LiveCheck = 0;
    Loaded().Base() = changed;
    m_config->SaveBaseConfig();
    EXPECT_EQ(Loaded().Base(), changed);

    const QByteArray bytes = ReadBytes(PathOf("config.xml"));
    qsizetype last = -1;
    for (const char* key :
         {"ShowMaximized",   "CaptionShowFName", "OpenLastFiles", "CodeViewLeft", "ShowToolbar",    "ShowSatusbar",
          "ShowCodeTree",    "ShowCodeView",     "TabSize",       "TabSpace",     "ShowLineNumber", "ShowHotCurLine",
          "HotCurLineColor", "Compressor",       "CompilePath",   "HelpPath",     "Defs",           "DisNsh",
          "DisNsi",          "SaveCompile",    "LiveCheck"}) {
        const qsizetype at = bytes.indexOf(QByteArray("<") + key + " Val=");
        EXPECT_GT(at, last) << key;
        last = at;
    }
    // UTF-8 on disk, without a byte-order mark.
    EXPECT_TRUE(bytes.contains(QStringLiteral("用户").toUtf8()));
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
}

TEST_F(ConfiguratorLoad, UnknownElementsAndAttributesSurviveASave) {
    WriteFiles(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scrivo>"
        "<Plugin name=\"x\"><Setting a=\"1\">text</Setting></Plugin>"
        "<BaseConfig><TabSize Val=\"2\" note=\"mine\"/><Future Val=\"7\"/></BaseConfig>"
        "</Scrivo>");
    Configurator& config = Loaded();
    config.Base().TabSize = 3;
    config.SaveBaseConfig();
    config.AddRecentFile(QStringLiteral("/tmp/a.nsi"));

    const QByteArray bytes = ReadBytes(PathOf("config.xml"));
    EXPECT_EQ(Lacking(bytes,
                      {"<Plugin name=\"x\">", "<Setting a=\"1\">text</Setting>", "<Future Val=\"7\"/>",
                       "<TabSize Val=\"3\" note=\"mine\"/>"}),
              QByteArrayList{});
}

// A missing file (null bytes) fails as a bad one does.
TEST_F(ConfiguratorLoad, MissingOrBadFilesFailWithTheirMessageAndNoCrash) {
    struct Case {
        QByteArray config, langs, stylers;
        bool loads;
        QStringList failedFiles;
    };
    const auto badConfig = [](const QByteArray& bytes) {
        return Case{bytes, kMinimalLangs, kMinimalStylers, false, {u"config.xml"_s}};
    };
    const Case cases[] = {
        badConfig(QByteArray()),
        badConfig("<Scrivo><BaseConfig><TabSize Val=\"8\"/>"),               // truncated
        badConfig("<Scrivo><BaseConfig></Scrivo>"),                          // mismatched
        badConfig(" "),                                                      // empty
        badConfig("<?xml version=\"1.0\"?>\n<Other><BaseConfig/></Other>"),  // no Scrivo root
        badConfig(QByteArray("<Scrivo a=\"") + QByteArray(1 << 20, 'x')),    // huge, unterminated
        badConfig("</y>"),                                                   // a closing tag alone
        badConfig("<Scrivo/>x</y>"),                                         // text after the root
        badConfig("<Scrivo/><Scrivo/>"),                                     // two roots
        badConfig("x<Scrivo/>"),                                             // text before the root
        {kMinimalConfig,
         "<Scrivo><Languages>",
         "<Scrivo><LexerStyles></Scrivo>",
         false,
         {u"langs.xml"_s, u"stylers.xml"_s}},
        {kMinimalConfig, kMinimalLangs, "</y>", false, {u"stylers.xml"_s}},
        // stylers.xml stops the start before config.xml is looked at.
        {QByteArray(), QByteArray(), QByteArray(), false, {u"langs.xml"_s, u"stylers.xml"_s}},
        // langs.xml only warns; the start goes on without keyword lists.
        {kMinimalConfig, QByteArray(), kMinimalStylers, true, {u"langs.xml"_s}},
        {kMinimalConfig, "<Other/>", "<Scrivo/>", true, {u"langs.xml"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config.left(60).constData());
        for (const char* name : {"config.xml", "langs.xml", "stylers.xml"})
            QFile::remove(PathOf(name));
        WriteFiles(c.config, c.langs, c.stylers);
        m_prompter.ClearRecord();
        Configurator& config = Reopen();
        EXPECT_EQ(config.Load(), c.loads);
        std::vector<PromptMessage> messages;
        for (const QString& name : c.failedFiles) {
            // Only the message of langs.xml, which does not stop the start, names no file.
            const QString caption = name == u"langs.xml"_s ? u"Configurator"_s : PathOf(name);
            messages.push_back({u"Load %1 failed!"_s.arg(name), caption, PromptIcon::None, PromptButtons::Ok});
        }
        EXPECT_EQ(m_prompter.Messages(), messages);
        if (c.loads) {
            EXPECT_TRUE(config.Languages().empty());
            EXPECT_EQ(config.LexerTypes().size(), c.stylers == kMinimalStylers ? 1u : 0u);
        }
    }
}

TEST_F(ConfiguratorLoad, ADocumentThatWouldNotLoadBackNeverReplacesTheFile) {
    WriteFiles();
    const QByteArray before = ReadBytes(PathOf("config.xml"));
    const auto strayText = [](tinyxml2::XMLDocument& d) { d.InsertEndChild(d.NewText("x")); };
    const auto secondRoot = [](tinyxml2::XMLDocument& d) { d.InsertEndChild(d.NewElement("Scrivo")); };
    const auto otherRoot = [](tinyxml2::XMLDocument& d) { d.InsertEndChild(d.NewElement("Other")); };
    const auto noRoot = [](tinyxml2::XMLDocument& d) { d.DeleteChildren(); };
    for (const auto& spoil :
         std::initializer_list<void (*)(tinyxml2::XMLDocument&)>{strayText, secondRoot, otherRoot, noRoot}) {
        tinyxml2::XMLDocument document;
        ASSERT_TRUE(LoadXmlFile(PathOf("config.xml"), document, "Scrivo"));
        spoil(document);
        EXPECT_FALSE(SaveXmlFile(document, PathOf("config.xml"), "Scrivo"));
        EXPECT_EQ(ReadBytes(PathOf("config.xml")), before);
    }
    tinyxml2::XMLDocument document;
    ASSERT_TRUE(LoadXmlFile(PathOf("config.xml"), document, "Scrivo"));
    document.RootElement()->InsertEndChild(document.NewElement("Added"));
    EXPECT_TRUE(SaveXmlFile(document, PathOf("config.xml"), "Scrivo"));
    EXPECT_TRUE(ReadBytes(PathOf("config.xml")).contains("<Added/>"));
}

TEST_F(ConfiguratorLoad, OddButWellFormedValuesLoad) {
    WriteFiles("<Scrivo><BaseConfig><TabSize Val=\"" + QByteArray(2 << 20, '7') + "\"/>"
               "<CompilePath Val=\"/opt/\xff\xfe/makensis\"/>"
               "<HelpPath Val=\"" + QByteArray(100000, 'h') + "\"/>"
               "</BaseConfig><UserInfo><pwd Val=\"%%%\"/><save Val=\"x\"/></UserInfo>"
               "<UpdateInfo><nextSUDlg Val=\"-1\"/></UpdateInfo></Scrivo>");
    Configurator& config = Loaded();
    EXPECT_EQ(config.Base().TabSize, -1);
    EXPECT_TRUE(config.Base().CompilePath.startsWith(QStringLiteral("/opt/")));
    EXPECT_EQ(config.Base().HelpPath.size(), 100000);
    EXPECT_TRUE(config.Login().password.isEmpty());
    EXPECT_EQ(config.Login().save, -1);
    EXPECT_EQ(config.NextUpdateTime(), 0);  // not year 2106
}

TEST_F(ConfiguratorLoad, UpdateTimeIsStoredAsUnsigned32) {
    WriteFiles();
    Loaded().SetNextUpdateTime(4000000000LL);
    m_config->SaveUpdateInfo();
    EXPECT_TRUE(ReadBytes(PathOf("config.xml")).contains("<nextSUDlg Val=\"4000000000\"/>"));
    EXPECT_EQ(Loaded().NextUpdateTime(), 4000000000LL);

    m_config->SetNextUpdateTime((1LL << 32) + 5);  // the upper 32 bits are not kept
    m_config->SaveUpdateInfo();
    EXPECT_EQ(Loaded().NextUpdateTime(), 5);
}

TEST_F(ConfiguratorLoad, SignInIsKeptPrivateAndEncoded) {
    WriteFiles();
    const LoginRecord login{QStringLiteral("用户@example.com"),
                            QString(150, QLatin1Char('k')) + QStringLiteral("秘密 password"), 1, 1};
    Loaded().Login() = login;
    m_config->SaveUserInfo();

    const QByteArray bytes = ReadBytes(PathOf("config.xml"));
    EXPECT_FALSE(bytes.contains("password"));
    EXPECT_TRUE(bytes.contains("<autol Val=\"1\"/>"));
    EXPECT_EQ(UnixMode(PathOf("config.xml")), 0600u);
    EXPECT_EQ(Loaded().Login(), login);

    m_config->Login().password.clear();
    m_config->SaveUserInfo();
    EXPECT_TRUE(ReadBytes(PathOf("config.xml")).contains("<pwd Val=\"\"/>"));
    EXPECT_TRUE(Loaded().Login().password.isEmpty());
}
