// The settings window: its command and pages, the general page's effect on every view, and what is written on close.
#include "settings_fixture.h"

#include "config/ui/colour_swatch.h"
#include "platform/app_name.h"

#include <QCheckBox>
#include <QSplitter>

TEST_F(SettingsTest, CommandOpensOneWindowOnTheGeneralPageWithoutTakingTheFocus) {
    CSettingMainDlg* dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible() && !dialog->isModal());
    EXPECT_TRUE(dialog->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(dialog->windowTitle(), u"设置"_s);
    EXPECT_FALSE(dialog->windowIcon().isNull());
    const QTabWidget* tabs = dialog->findChild<QTabWidget*>();
    ASSERT_EQ(tabs->count(), 3);
    // "&" is shown as it stands, so Qt is given it doubled.
    EXPECT_EQ(tabs->tabText(0), u"常用  "_s);
    EXPECT_EQ(tabs->tabText(1), u"字体&&颜色"_s);
    EXPECT_EQ(tabs->tabText(2), u"编译器"_s);
    EXPECT_EQ(dialog->CurrentPage(), CSettingMainDlg::kBasePage);

    dialog->SelectPage(CSettingMainDlg::kCompilePage);
    m_frame->OnCommand(Cmd::Settings);
    EXPECT_EQ(Window(), dialog);
    EXPECT_EQ(m_frame->findChildren<CSettingMainDlg*>().size(), 1);
    EXPECT_EQ(dialog->CurrentPage(), CSettingMainDlg::kBasePage);
}

// The question, and that "否" opens nothing, are the compile request's rules; "是" reaches the window.
TEST_F(SettingsTest, MissingCompilerQuestionOpensTheCompilerPageWhateverWasShown) {
    m_config->Base().CompilePath = m_dir.filePath(u"no-such-makensis"_s);
    ASSERT_TRUE(Docs().OpenDocument(Script(u"a.nsi"_s), false));
    for (bool openBefore : {false, true}) {
        if (openBefore)
            OpenSettings(CSettingMainDlg::kStylePage);
        m_prompter.QueueAnswer(PromptAnswer::Yes);
        m_frame->OnCommand(Cmd::Compile);
        ASSERT_NE(Window(), nullptr) << openBefore;
        EXPECT_EQ(Window()->CurrentPage(), CSettingMainDlg::kCompilePage) << openBefore;
        EXPECT_TRUE(Window()->isVisible());
        CloseSettings();
    }
}

TEST_F(SettingsTest, TabWidthLineNumbersAndCaretLineReachEveryView) {
    OpenTwoScripts();
    ASSERT_NE(OpenSettings(), nullptr);
    auto* tabSize = Field<QLineEdit>(u"TAB 长度："_s);
    ASSERT_NE(tabSize, nullptr);
    EXPECT_EQ(tabSize->text(), u"4"_s);
    const std::vector<CNsisTextView*> views = Views();
    ASSERT_EQ(views.size(), 4u);

    // Each text as it is typed: a width below 1 gives 4 while the box keeps what was typed.
    const std::pair<QString, long> typed[] = {{u"8"_s, 8}, {u"0"_s, 4}, {u""_s, 4}, {u"12"_s, 12}};
    for (const auto& [text, width] : typed) {
        tabSize->clear();
        QTest::keyClicks(tabSize, text);
        EXPECT_EQ(tabSize->text(), text);
        EXPECT_EQ(m_config->Base().TabSize, width) << text.toStdString();
        for (CNsisTextView* view : views)
            EXPECT_EQ(view->Call().TabWidth(), width) << text.toStdString();
    }
    QTest::keyClicks(tabSize, u"x-"_s);  // digits only
    EXPECT_EQ(tabSize->text(), u"12"_s);

    Button(u"以空格取代(TAB)"_s)->click();
    Button(u"显示行号栏"_s)->click();
    Button(u"高亮当前行"_s)->click();
    EXPECT_EQ(m_config->Base().TabSpace, 0);
    EXPECT_EQ(m_config->Base().ShowLineNumber, 0);
    EXPECT_EQ(m_config->Base().ShowHotCurLine, 0);
    for (CNsisTextView* view : views) {
        EXPECT_TRUE(view->Call().UseTabs());
        EXPECT_EQ(view->Call().MarginWidthN(0), 0);
        EXPECT_FALSE(view->Call().CaretLineVisible());
    }

    // The colour chooser starts at the current colour; OK stores it, and every view takes it.
    Button(u"高亮当前行"_s)->click();
    auto* swatch = Field<CColourSwatch>(u"颜色："_s);
    ASSERT_NE(swatch, nullptr);
    m_prompter.QueueColour(0x123456);
    Q_EMIT swatch->Clicked();
    EXPECT_EQ(m_config->Base().HotCurLineColor, 0x123456);
    EXPECT_EQ(swatch->Colour(), 0x123456);
    for (CNsisTextView* view : views) {
        EXPECT_TRUE(view->Call().CaretLineVisible());
        EXPECT_EQ(view->Call().CaretLineBack(), 0x123456);
    }
    // A cancelled chooser keeps the colour.
    Q_EMIT swatch->Clicked();
    EXPECT_EQ(m_config->Base().HotCurLineColor, 0x123456);

    // A view opened later starts with the same settings.
    ASSERT_TRUE(Docs().OpenDocument(Script(u"c.nsi"_s), false));
    EXPECT_EQ(Docs().ActiveView()->Call().TabWidth(), 12);
    EXPECT_EQ(Docs().ActiveView()->Call().CaretLineBack(), 0x123456);
}

TEST_F(SettingsTest, TitleAndPaneSideFollowTheirChecksAtOnce) {
    const QString path = Script(u"a.nsi"_s);
    ASSERT_TRUE(Docs().OpenDocument(path, false));
    EXPECT_TRUE(m_frame->windowTitle().contains(path));
    ASSERT_NE(OpenSettings(), nullptr);

    Button(u"只在标题栏显示文件名"_s)->click();
    EXPECT_EQ(m_config->Base().CaptionShowFName, 1);
    EXPECT_FALSE(m_frame->windowTitle().contains(path));

    auto* splitter = qobject_cast<QSplitter*>(FrameCodePane(*m_frame)->parentWidget());
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->indexOf(FrameCodePane(*m_frame)), 0);
    Button(u"代码结构图(缩略图)显示在左边"_s)->click();
    EXPECT_EQ(m_config->Base().CodeViewLeft, 0);
    EXPECT_EQ(splitter->indexOf(FrameCodePane(*m_frame)), 1);

    Button(u"记住最后打开的文件"_s)->click();
    EXPECT_EQ(m_config->Base().OpenLastFiles, 0);
}

TEST_F(SettingsTest, GeneralChangeIsWrittenOnCloseOnlyAndAFailedWriteKeepsTheWindow) {
    const QByteArray config = ConfigBytes();
    const QByteArray stylers = StylersBytes();
    ASSERT_NE(OpenSettings(), nullptr);
    Button(u"显示行号栏"_s)->click();
    EXPECT_EQ(ConfigBytes(), config);  // nothing is written while the window is open

    // The program folder turns into a plain file: no write below it can succeed, not even as root.
    const QString folder = m_dir.path();
    const QString moved = folder + u".moved"_s;
    ASSERT_TRUE(QDir().rename(folder, moved));
    ASSERT_TRUE(WriteBytes(folder, "not a folder"));
    Button(u"关闭"_s)->click();  // the question is answered "no": the window stays
    Settle();
    ASSERT_EQ(m_prompter.Messages().size(), 1u);
    EXPECT_TRUE(m_prompter.Messages()[0].text.startsWith(u"无法保存设置"_s));
    EXPECT_TRUE(m_prompter.Messages()[0].text.contains(folder + u"/config.xml"_s));
    ASSERT_NE(Window(), nullptr);
    EXPECT_FALSE(Button<QCheckBox>(u"显示行号栏"_s)->isChecked());
    EXPECT_EQ(ReadBytes(moved + u"/config.xml"_s), config);

    // Once the folder is back, Escape closes the window like its button and writes the change.
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(moved, folder));
    QTest::keyClick(Window(), Qt::Key_Escape);
    ASSERT_EVENTUALLY(Window() == nullptr);
    EXPECT_TRUE(ConfigBytes().contains("<ShowLineNumber Val=\"0\"")) << ConfigBytes().constData();
    EXPECT_EQ(StylersBytes(), stylers);
    EXPECT_EQ(m_prompter.Messages().size(), 1u);

    // Created again, the page shows the stored value; without a change nothing is written.
    const QByteArray written = ConfigBytes();
    ASSERT_NE(OpenSettings(CSettingMainDlg::kCompilePage), nullptr);
    OpenSettings(CSettingMainDlg::kStylePage);
    OpenSettings();
    EXPECT_FALSE(Button<QCheckBox>(u"显示行号栏"_s)->isChecked());
    CloseSettings();
    EXPECT_EQ(ConfigBytes(), written);
    EXPECT_EQ(StylersBytes(), stylers);

    // A frame closed with the window open keeps the window's changes.
    ASSERT_NE(OpenSettings(), nullptr);
    Button(u"高亮当前行"_s)->click();
    m_frame.reset();
    EXPECT_TRUE(ConfigBytes().contains("<ShowHotCurLine Val=\"0\""));
}

TEST_F(SettingsTest, SwatchIsFilledWithItsColourInsideALightAndDarkFrame) {
    ASSERT_NE(OpenSettings(), nullptr);
    auto* swatch = Field<CColourSwatch>(u"颜色："_s);
    ASSERT_NE(swatch, nullptr);
    const struct {
        int colour;
        QColor fill;
    } cases[] = {{0x0000FF, QColor(255, 0, 0)}, {0xFF0000, QColor(0, 0, 255)}, {-1, QColor(Qt::white)}};
    for (const auto& c : cases) {
        swatch->SetColour(c.colour);
        const QImage image = swatch->grab().toImage();
        const int w = image.width() - 1, h = image.height() - 1;
        EXPECT_EQ(image.pixelColor(w / 2, h / 2), c.fill) << c.colour;
        EXPECT_EQ(image.pixelColor(w / 2, 0), QColor(0xE6, 0xE6, 0xE6));
        EXPECT_EQ(image.pixelColor(0, h / 2), QColor(0xE6, 0xE6, 0xE6));
        EXPECT_EQ(image.pixelColor(w / 2, h), QColor(0x64, 0x64, 0x64));
        EXPECT_EQ(image.pixelColor(w, h / 2), QColor(0x64, 0x64, 0x64));
    }
}

namespace {

// An environment variable set for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_saved(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (m_saved.isNull())
            qunsetenv(m_name);
        else
            qputenv(m_name, m_saved);
    }

private:
    const char* m_name;
    QByteArray m_saved;
};

}  // namespace

TEST_F(SettingsTest, RegisterButtonAssociatesScriptsAndSaysSoOrNamesTheFailedStep) {
    QTemporaryDir home;
    const ScopedEnv data("XDG_DATA_HOME", home.filePath(u"data"_s).toUtf8());
    const ScopedEnv config("XDG_CONFIG_HOME", home.filePath(u"config"_s).toUtf8());
    ASSERT_NE(OpenSettings(), nullptr);
    QAbstractButton* button = Button(u"注册为默认的NSIS文件编辑器"_s);
    button->click();
    // The desktop's tools run in the background; the button waits for them.
    EXPECT_FALSE(button->isEnabled());
    ASSERT_EVENTUALLY(m_prompter.Messages().size() == 1u);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(m_prompter.Messages().back(),
              (PromptMessage{u"Scrivo 已成功注册会默认编辑器。"_s, kAppName, PromptIcon::None, PromptButtons::Ok}));
    const QByteArray entry = ReadBytes(home.filePath(u"data/applications/scrivo.desktop"_s));
    EXPECT_TRUE(entry.contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" /C %f"));
    EXPECT_TRUE(QFile::exists(home.filePath(u"data/icons/hicolor/256x256/apps/scrivo.png"_s)));
    // The desktop's own list names another program: it still wins, and the user hears of it.
    {
        const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "X-Test:TestDE");
        ASSERT_TRUE(WriteBytes(home.filePath(u"config/testde-mimeapps.list"_s),
                               "[Default Applications]\ntext/x-nsis=other.desktop;\n"));
        button->click();
        ASSERT_EVENTUALLY(m_prompter.Messages().size() == 2u);
    }
    EXPECT_EQ(m_prompter.Messages().back().icon, PromptIcon::Warning);
    EXPECT_TRUE(m_prompter.Messages().back().text.contains(home.filePath(u"config/testde-mimeapps.list"_s)));
    EXPECT_TRUE(m_prompter.Messages().back().text.contains(u"other.desktop"_s));
    // Nothing of the association is a setting.
    CloseSettings();
    EXPECT_FALSE(ConfigBytes().contains("desktop"));

    ASSERT_TRUE(QDir(home.filePath(u"config"_s)).removeRecursively());
    ASSERT_TRUE(WriteBytes(home.filePath(u"config"_s), "a file, not a folder"));
    ASSERT_NE(OpenSettings(), nullptr);
    Button(u"注册为默认的NSIS文件编辑器"_s)->click();
    ASSERT_EVENTUALLY(m_prompter.Messages().size() == 3u);
    const PromptMessage failure = m_prompter.Messages().back();
    EXPECT_EQ(failure.icon, PromptIcon::Warning);
    EXPECT_TRUE(failure.text.contains(u"mimeapps.list"_s)) << failure.text.toStdString();
    EXPECT_FALSE(failure.text.contains(u"scrivo.desktop"_s)) << failure.text.toStdString();
}
