// Tests of loading and saving config.xml: messages, settings, unknown elements, sign-in, bad input.
#include "config_fixture.h"

#include <QFileInfo>

using ConfiguratorLoad = ConfigFolderTest;

TEST_F(ConfiguratorLoad, DefaultsWhenBaseConfigIsMissing) {
    WriteFiles();
    Configurator& config = Loaded();
    EXPECT_EQ(config.Base(), BaseConfig{});
    EXPECT_EQ(config.Base().ShowCodeTree, -1);
    EXPECT_EQ(config.Base().HotCurLineColor, 16771304);
    EXPECT_EQ(config.NextUpdateTime(), 0);
    EXPECT_EQ(config.Login(), LoginRecord{});
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(ConfiguratorLoad, ValRules) {
    WriteFiles("<Scrivo><BaseConfig>"
               "<TabSize Val=\"\"/><Compressor Val=\"12ab\"/><ShowMaximized Val=\" -3\"/>"
               "<ShowToolbar/><CompilePath Val=\"/opt/nsis/makensis\"/><Defs Val=\"\"/>"
               "</BaseConfig></Scrivo>");
    const BaseConfig& base = Loaded().Base();
    EXPECT_EQ(base.TabSize, 0);
    EXPECT_EQ(base.Compressor, -1);
    EXPECT_EQ(base.ShowMaximized, -3);
    EXPECT_EQ(base.ShowToolbar, 1);       // no Val: default kept
    EXPECT_EQ(base.OpenLastFiles, 1);     // no element: default kept
    EXPECT_EQ(base.CompilePath, QStringLiteral("/opt/nsis/makensis"));
    EXPECT_TRUE(base.Defs.isEmpty());
}

TEST_F(ConfiguratorLoad, SavedSettingsComeBackInOrder) {
    WriteFiles();
    Configurator& config = Loaded();
    BaseConfig changed;
    changed.ShowMaximized = 1;
    changed.ShowCodeTree = 1;
    changed.TabSize = 8;
    changed.HotCurLineColor = 0x123456;
    changed.Compressor = 5;
    changed.CompilePath = QStringLiteral("/home/用户/nsis/makensis");
    changed.HelpPath = QStringLiteral("/usr/share/doc/nsis/Docs/Contents.html");
    changed.Defs = QStringLiteral("/DNAME=值\n/DDEBUG");
    changed.DisNsi = 1;
    changed.SaveCompile = 0;
    config.Base() = changed;
    config.SaveBaseConfig();

    EXPECT_EQ(Loaded().Base(), changed);

    const QByteArray bytes = ReadBytes(PathOf("config.xml"));
    const char* keys[] = {"ShowMaximized", "CaptionShowFName", "OpenLastFiles", "CodeViewLeft",
                          "ShowToolbar", "ShowSatusbar", "ShowCodeTree", "ShowCodeView", "TabSize",
                          "TabSpace", "ShowLineNumber", "ShowHotCurLine", "HotCurLineColor",
                          "Compressor", "CompilePath", "HelpPath", "Defs", "DisNsh", "DisNsi",
                          "SaveCompile"};
    qsizetype last = -1;
    for (const char* key : keys) {
        const qsizetype at = bytes.indexOf(QByteArray("<") + key + " Val=");
        EXPECT_GT(at, last) << key;
        last = at;
    }
    // UTF-8 on disk, without a byte-order mark.
    EXPECT_TRUE(bytes.contains(QStringLiteral("用户").toUtf8()));
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
}

TEST_F(ConfiguratorLoad, UnknownElementsAndAttributesSurviveASave) {
    WriteFiles("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scrivo>"
               "<Plugin name=\"x\"><Setting a=\"1\">text</Setting></Plugin>"
               "<BaseConfig><TabSize Val=\"2\" note=\"mine\"/><Future Val=\"7\"/></BaseConfig>"
               "</Scrivo>");
    Configurator& config = Loaded();
    config.Base().TabSize = 3;
    config.SaveBaseConfig();
    config.AddRecentFile(QStringLiteral("/tmp/a.nsi"));

    const QByteArray bytes = ReadBytes(PathOf("config.xml"));
    EXPECT_TRUE(bytes.contains("<Setting a=\"1\">text</Setting>"));
    EXPECT_TRUE(bytes.contains("<Future Val=\"7\"/>"));
    EXPECT_TRUE(bytes.contains("<TabSize Val=\"3\" note=\"mine\"/>"));
    EXPECT_TRUE(bytes.contains("<Plugin name=\"x\">"));
}

TEST_F(ConfiguratorLoad, ConfigIsReadableByItsOwnerOnly) {
    WriteFiles();
    Configurator& config = Loaded();
    config.Login().email = QStringLiteral("me@example.com");
    config.SaveUserInfo();
    EXPECT_EQ(UnixMode(PathOf("config.xml")), 0600u);
}

TEST_F(ConfiguratorLoad, MissingConfigFailsWithItsMessage) {
    WriteFiles(QByteArray());
    EXPECT_FALSE(Reopen().Load());
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, QStringLiteral("Load config.xml failed!"));
    EXPECT_EQ(m_prompter.Messages()[0].caption, PathOf("config.xml"));
    EXPECT_EQ(m_prompter.Messages()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(m_prompter.Messages()[0].icon, PromptIcon::None);
}

TEST_F(ConfiguratorLoad, MissingLangsOnlyWarns) {
    WriteFiles(kMinimalConfig, QByteArray());
    Configurator& config = Reopen();
    EXPECT_TRUE(config.Load());
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, QStringLiteral("Load langs.xml failed!"));
    EXPECT_EQ(m_prompter.Messages()[0].caption, QStringLiteral("Configurator"));
    EXPECT_TRUE(config.Languages().empty());
    EXPECT_FALSE(config.KeywordsFor(kNsisLanguageId, 0));
    EXPECT_EQ(config.LexerTypes().size(), 1u);
}

TEST_F(ConfiguratorLoad, MissingStylersFailsBeforeConfigIsRead) {
    WriteFiles(kMinimalConfig, kMinimalLangs, QByteArray());
    EXPECT_FALSE(Reopen().Load());
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_EQ(m_prompter.Messages()[0].text, QStringLiteral("Load stylers.xml failed!"));
    EXPECT_EQ(m_prompter.Messages()[0].caption, PathOf("stylers.xml"));
}

TEST_F(ConfiguratorLoad, AllThreeMissingShowTwoMessagesInOrder) {
    EXPECT_FALSE(Reopen().Load());
    ASSERT_EQ(m_prompter.Messages().size(), 2u);
    EXPECT_EQ(m_prompter.Messages()[0].text, QStringLiteral("Load langs.xml failed!"));
    EXPECT_EQ(m_prompter.Messages()[1].text, QStringLiteral("Load stylers.xml failed!"));
}

TEST_F(ConfiguratorLoad, BadConfigFilesFailWithAMessageAndNoCrash) {
    const QByteArray bad[] = {
        "<Scrivo><BaseConfig><TabSize Val=\"8\"/>",         // truncated
        "<Scrivo><BaseConfig></Scrivo>",                     // mismatched
        "",                                                  // empty
        "not xml at all",
        "<?xml version=\"1.0\"?>\n<Other><BaseConfig/></Other>",  // no Scrivo root
        QByteArray("<Scrivo a=\"") + QByteArray(1 << 20, 'x'),   // huge, unterminated
    };
    for (const QByteArray& bytes : bad) {
        WriteFiles(bytes.isEmpty() ? QByteArray(" ") : bytes);
        m_prompter.ClearRecord();
        EXPECT_FALSE(Reopen().Load()) << bytes.left(60).constData();
        ASSERT_EQ(m_prompter.Messages().size(), 1u);
        EXPECT_EQ(m_prompter.Messages()[0].text, QStringLiteral("Load config.xml failed!"));
    }
}

TEST_F(ConfiguratorLoad, OddButWellFormedValuesLoad) {
    QByteArray huge(2 << 20, '7');
    WriteFiles(QByteArray("<Scrivo><BaseConfig><TabSize Val=\"") + huge + "\"/>"
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
    EXPECT_EQ(config.NextUpdateTime(), 0);
}

TEST_F(ConfiguratorLoad, BadStylersAndLangsFollowTheirRules) {
    WriteFiles(kMinimalConfig, "<Scrivo><Languages>", "<Scrivo><LexerStyles></Scrivo>");
    EXPECT_FALSE(Reopen().Load());
    ASSERT_EQ(m_prompter.Messages().size(), 2u);
    EXPECT_EQ(m_prompter.Messages()[1].text, QStringLiteral("Load stylers.xml failed!"));

    // Well-formed files without the expected elements load with nothing in them.
    m_prompter.ClearRecord();
    WriteFiles(kMinimalConfig, "<Other/>", "<Scrivo/>");
    Configurator& config = Reopen();
    EXPECT_TRUE(config.Load());
    EXPECT_TRUE(config.Languages().empty());
    EXPECT_TRUE(config.LexerTypes().empty());
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(ConfiguratorLoad, UpdateTimeIsStoredAsUnsigned32) {
    WriteFiles();
    Configurator& config = Loaded();
    config.SetNextUpdateTime(4000000000LL);
    config.SaveUpdateInfo();
    EXPECT_TRUE(ReadBytes(PathOf("config.xml")).contains("<nextSUDlg Val=\"4000000000\"/>"));
    EXPECT_EQ(Loaded().NextUpdateTime(), 4000000000LL);

    // The upper 32 bits are not kept.
    Configurator& again = Loaded();
    again.SetNextUpdateTime((1LL << 32) + 5);
    again.SaveUpdateInfo();
    EXPECT_EQ(Loaded().NextUpdateTime(), 5);
}

TEST_F(ConfiguratorLoad, SignInSurvivesAndThePasswordIsNotInPlainText) {
    WriteFiles();
    Configurator& config = Loaded();
    LoginRecord login{QStringLiteral("用户@example.com"), QStringLiteral("秘密 password 123"), 1, 1};
    config.Login() = login;
    config.SaveUserInfo();

    const QByteArray bytes = ReadBytes(PathOf("config.xml"));
    EXPECT_FALSE(bytes.contains("password"));
    EXPECT_TRUE(bytes.contains("<autol Val=\"1\"/>"));
    EXPECT_EQ(Loaded().Login(), login);

    Configurator& cleared = Loaded();
    cleared.Login().password.clear();
    cleared.SaveUserInfo();
    EXPECT_TRUE(ReadBytes(PathOf("config.xml")).contains("<pwd Val=\"\"/>"));
    EXPECT_TRUE(Loaded().Login().password.isEmpty());
}

TEST_F(ConfiguratorLoad, LongPasswordWithLineBreaksSurvivesTheFile) {
    WriteFiles();
    Configurator& config = Loaded();
    config.Login().password = QString(150, QLatin1Char('k')) + QStringLiteral("尾");
    config.SaveUserInfo();
    EXPECT_EQ(Loaded().Login().password, QString(150, QLatin1Char('k')) + QStringLiteral("尾"));
}

TEST_F(ConfiguratorLoad, SavingWithoutALoadedFileStartsAFreshOne) {
    Configurator& config = Reopen();
    config.Base().TabSize = 6;
    config.SaveBaseConfig();
    WriteFiles(QByteArray());
    EXPECT_EQ(Loaded().Base().TabSize, 6);
}
