// CSettingStyleDlg: the settings page "字体&颜色": colours, font and size of each style of the NSIS colouring.
#include "config/ui/setting_style_dlg.h"

#include "config/core/configurator.h"
#include "config/core/settings_rules.h"
#include "config/ui/browse_button.h"
#include "config/ui/colour_swatch.h"
#include "config/ui/style_preview.h"
#include "platform/prompter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CSettingStyleDlg::CSettingStyleDlg(Configurator& config, Prompter& prompter, const QStringList& fontFamilies,
                                   QWidget* parent)
    : QWidget(parent),
      m_config(config),
      m_prompter(prompter),
      m_fontChoices(FontChoices(fontFamilies)),
      m_sizeChoices(FontSizeChoices()) {
    m_styles = new QListWidget(this);
    if (!m_config.LexerTypes().empty()) {
        for (const WordsStyle& style : m_config.LexerTypes().front().styles)
            m_styles->addItem(style.name.value_or(QString()));
    }
    m_styles->setMinimumWidth(fontMetrics().horizontalAdvance(u"FUNCTION DEFINITION"_s) + 40);

    m_font = new QComboBox(this);
    m_font->addItems(m_fontChoices);
    m_font->setMinimumContentsLength(16);
    m_font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_size = new QComboBox(this);
    m_size->addItems(m_sizeChoices);
    m_size->setMinimumContentsLength(4);
    m_preview = new CStylePreview(this);

    auto* controls = new QGridLayout;
    controls->addWidget(BuildColourRow(u"前景色："_s, m_fore, &CSettingStyleDlg::ChooseForeColour), 0, 0, 1, 2);
    controls->addWidget(BuildColourRow(u"背景色："_s, m_back, &CSettingStyleDlg::ChooseBackColour), 1, 0, 1, 2);
    auto* fontLabel = new QLabel(u"字体："_s, this);
    fontLabel->setBuddy(m_font);
    controls->addWidget(fontLabel, 2, 0);
    controls->addWidget(m_font, 2, 1);
    auto* sizeLabel = new QLabel(u"大小："_s, this);
    sizeLabel->setBuddy(m_size);
    controls->addWidget(sizeLabel, 3, 0);
    controls->addWidget(m_size, 3, 1, Qt::AlignLeft);
    controls->setRowStretch(4, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_styles);
    top->addLayout(controls, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_preview);

    connect(m_styles, &QListWidget::currentRowChanged, this, &CSettingStyleDlg::SelectStyle);
    connect(m_size, &QComboBox::activated, this, &CSettingStyleDlg::ChooseSize);
    connect(m_font, &QComboBox::activated, this, &CSettingStyleDlg::ChooseFont);
    if (m_styles->count() > 0)
        m_styles->setCurrentRow(0);
}

QWidget* CSettingStyleDlg::BuildColourRow(const QString& label, CColourSwatch*& swatch,
                                          void (CSettingStyleDlg::*choose)()) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* text = new QLabel(label, row);
    swatch = new CColourSwatch(row);
    text->setBuddy(swatch);
    QPushButton* browse = BrowseButton(row);
    layout->addWidget(text);
    layout->addWidget(swatch);
    layout->addWidget(browse);
    layout->addStretch(1);
    connect(swatch, &CColourSwatch::Clicked, this, choose);
    connect(browse, &QPushButton::clicked, this, choose);
    return row;
}

WordsStyle* CSettingStyleDlg::Current() {
    if (m_current < 0 || m_config.LexerTypes().empty())
        return nullptr;
    std::vector<WordsStyle>& styles = m_config.LexerTypes().front().styles;
    return m_current < int(styles.size()) ? &styles[size_t(m_current)] : nullptr;
}

void CSettingStyleDlg::SelectStyle(int row) {
    m_current = row;
    const WordsStyle* style = Current();
    if (!style)
        return;
    // As a box's own search does: the first entry starting with the text, else the selection stays.
    if (const int size = FindPrefix(m_sizeChoices, QString::number(style->fontSize)); size >= 0)
        m_size->setCurrentIndex(size);
    if (const int font = FindPrefix(m_fontChoices, style->fontName.value_or(QString())); font >= 0)
        m_font->setCurrentIndex(font);
    ShowCurrent();
}

void CSettingStyleDlg::ShowCurrent() {
    const WordsStyle* style = Current();
    m_fore->SetColour(style ? style->foreColour : -1);
    m_back->SetColour(style ? style->backColour : -1);
    m_preview->SetStyle(style);
}

void CSettingStyleDlg::ChooseForeColour() { ChooseColour(&WordsStyle::foreColour); }

void CSettingStyleDlg::ChooseBackColour() { ChooseColour(&WordsStyle::backColour); }

void CSettingStyleDlg::ChooseColour(int WordsStyle::*colour) {
    WordsStyle* style = Current();
    if (!style)
        return;
    const int initial = style->*colour < 0 ? 0xFFFFFF : style->*colour;
    const auto chosen = m_prompter.Colour(std::uint32_t(initial));
    if (!chosen)
        return;
    style->*colour = int(*chosen & 0xFFFFFF);
    StyleChanged();
}

void CSettingStyleDlg::ChooseSize(int index) {
    WordsStyle* style = Current();
    if (!style || index < 0 || index >= m_sizeChoices.size())
        return;
    // The empty entry gives 0: no size of its own.
    style->fontSize = m_sizeChoices[index].toInt();
    StyleChanged();
}

void CSettingStyleDlg::ChooseFont(int index) {
    WordsStyle* style = Current();
    if (!style || index < 0 || index >= m_fontChoices.size())
        return;
    style->fontName = m_fontChoices[index];
    StyleChanged();
}

void CSettingStyleDlg::StyleChanged() {
    ShowCurrent();
    m_changed = true;
    Q_EMIT StylesChanged();
}
