// The style page: choosing colours, fonts and sizes restyles every view and the log, and only stylers.xml is written.
#include "settings_fixture.h"

#include "config/core/configurator.h"
#include "config/ui/colour_swatch.h"
#include "config/ui/style_preview.h"

#include <QListWidget>

class StylePageTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        OpenTwoScripts();
        ASSERT_NE(OpenSettings(CSettingMainDlg::kStylePage), nullptr);
        m_list = Window()->findChild<QListWidget*>();
        ASSERT_NE(m_list, nullptr);
        m_font = Field<QComboBox>(u"字体："_s);
        m_size = Field<QComboBox>(u"大小："_s);
        ASSERT_TRUE(m_font && m_size);
    }

    WordsStyle& Style(int row) { return m_config->LexerTypes().front().styles[size_t(row)]; }
    int Row(const QString& name) const {
        const auto items = m_list->findItems(name, Qt::MatchExactly);
        return items.isEmpty() ? -1 : m_list->row(items.first());
    }
    void Choose(QComboBox* box, const QString& entry) {
        const int index = box->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

    QListWidget* m_list = nullptr;
    QComboBox* m_font = nullptr;
    QComboBox* m_size = nullptr;
};

TEST_F(StylePageTest, ListsTheStylesAndShowsTheSelectedOne) {
    const std::vector<WordsStyle>& styles = m_config->LexerTypes().front().styles;
    ASSERT_EQ(m_list->count(), int(styles.size()));
    EXPECT_EQ(m_list->item(0)->text(), u"DEFAULT"_s);
    EXPECT_EQ(m_list->currentRow(), 0);
    EXPECT_EQ(m_font->itemText(0), QString());

    const int comment = Row(u"COMMENT"_s);
    Style(comment).fontSize = 14;
    m_list->setCurrentRow(comment);
    EXPECT_EQ(m_size->currentText(), u"14"_s);
    EXPECT_EQ(Field<CColourSwatch>(u"前景色："_s)->Colour(), Style(comment).foreColour);
    EXPECT_EQ(Field<CColourSwatch>(u"背景色："_s)->Colour(), Style(comment).backColour);
    auto* preview = Window()->findChild<CStylePreview*>();
    EXPECT_EQ(preview->SampleFont().pointSize(), 14);
    EXPECT_EQ(preview->grab().toImage().pixelColor(2, 2), QColor(Qt::white));

    // A size no entry starts with leaves the box as it was.
    const int box = Row(u"COMMENT BOX"_s);
    Style(box).fontSize = 3;
    m_list->setCurrentRow(box);
    EXPECT_EQ(m_size->currentText(), u"14"_s);
    EXPECT_EQ(preview->grab().toImage().pixelColor(2, 2), QColor(0xEE, 0xF7, 0xEE));
}

TEST_F(StylePageTest, FontAndSizeOfTheDefaultStyleReachEveryViewAndTheLog) {
    const std::vector<CNsisTextView*> views = Views();
    const QString family = m_font->itemText(m_font->count() - 1);
    Choose(m_font, family);
    Choose(m_size, u"16"_s);
    EXPECT_EQ(Style(0).fontName, family);
    EXPECT_EQ(Style(0).fontSize, 16);
    for (CNsisTextView* view : views) {
        for (int style : {0, 32}) {
            EXPECT_EQ(view->Call().StyleGetFont(style), family.toUtf8()) << style;
            EXPECT_EQ(view->Call().StyleGetSize(style), 16) << style;
        }
    }
    // The log keeps its grey under every style.
    EXPECT_EQ(FrameCompiler(*m_frame).Log()->Call().StyleGetBack(0), CCompileLogCtrl::kBackColour);
    EXPECT_EQ(views.front()->Call().StyleGetBack(0), 0xFFFFFF);
    // The empty size entry stores 0: no size.
    Choose(m_size, QString());
    EXPECT_EQ(Style(0).fontSize, 0);
}

TEST_F(StylePageTest, ColoursComeFromTheChooserOrStayWhenItIsCancelledAndOnlyStylersIsWritten) {
    const QByteArray config = ConfigBytes();
    const int function = Row(u"FUNCTION"_s);
    m_list->setCurrentRow(function);
    const int before = Style(function).foreColour;
    // Both colour rows have one; the fore colour's comes first.
    const QList<QPushButton*> dots = BrowseButtons();
    ASSERT_EQ(dots.size(), 2);

    dots[0]->click();  // cancelled
    EXPECT_EQ(Style(function).foreColour, before);
    m_prompter.QueueColour(0x0000FF);  // red
    dots[0]->click();
    m_prompter.QueueColour(0x202020);
    Q_EMIT Field<CColourSwatch>(u"背景色："_s)->Clicked();
    EXPECT_EQ(Style(function).foreColour, 0x0000FF);
    EXPECT_EQ(Style(function).backColour, 0x202020);
    EXPECT_EQ(Field<CColourSwatch>(u"前景色："_s)->Colour(), 0x0000FF);
    for (CNsisTextView* view : Views())
        EXPECT_EQ(view->Call().StyleGetFore(5), 0x0000FF);
    EXPECT_EQ(Docs().ActiveView()->Call().StyleGetBack(5), 0x202020);
    EXPECT_EQ(FrameCompiler(*m_frame).Log()->Call().StyleGetBack(5), CCompileLogCtrl::kBackColour);

    CloseSettings();
    EXPECT_EQ(ConfigBytes(), config);
    EXPECT_TRUE(StylersBytes().contains("name=\"FUNCTION\" fgColor=\"FF0000\" bgColor=\"202020\""))
        << StylersBytes().constData();
    // Read again at the next start.
    CreateFrame();
    EXPECT_EQ(Configurator::FindStyle(m_config->LexerTypes().front(), u"FUNCTION"_s)->foreColour, 0x0000FF);
}
