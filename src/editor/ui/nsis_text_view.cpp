// CNsisTextView: an editing component showing NSIS text in the configured colours, fonts and settings.
#include "editor/ui/nsis_text_view.h"

#include "config/core/configurator.h"
#include "config/core/language.h"
#include "editor/ui/editor_accessibility.h"
#include "editor/ui/nsis_styler.h"

#include <QAbstractScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int kMarginCount = 5;

int DecimalDigits(long n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

}  // namespace

CNsisTextView::CNsisTextView(const Configurator& config, QWidget* parent, StyleFilter filter)
    : QWidget(parent),
      m_config(config),
      m_call(std::make_unique<ScintillaCall>(this)),
      m_styler(new NsisStyler(*m_call)),
      m_filter(std::move(filter)) {
    UseEditorAccessibility();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_call->Widget());
    setFocusProxy(m_call->Widget());
    m_call->SetCodePage(ScintillaCall::kCodePageUtf8);
    m_call->UsePopUp(ScintillaCall::kPopUpNever);
    ApplySettings();
    SetLexer(kNsisLanguageId, kLexerKeywordSets);
    connect(m_call.get(), &ScintillaCall::Painted, this, &CNsisTextView::UpdateLineNumberWidth);
    connect(m_call.get(), &ScintillaCall::Zoomed, this, &CNsisTextView::UpdateLineNumberWidth);
}

void CNsisTextView::ApplySettings() {
    const BaseConfig& base = m_config.Base();
    m_call->SetTabWidth(base.TabSize > 0 ? base.TabSize : 4);
    m_call->SetUseTabs(!base.TabSpace);
    m_lineNumbers = m_margins && base.ShowLineNumber != 0;
    UpdateLineNumberWidth();
    if (!m_lineNumbers)
        m_call->SetMarginWidthN(0, 0);
    m_call->SetCaretLineVisible(base.ShowHotCurLine);
    m_call->SetCaretLineBack(base.HotCurLineColor & 0xFFFFFF);
}

void CNsisTextView::SetLexer(int languageId, int keywordMask) {
    std::array<QString, kKeywordSets> lists;
    ApplyLanguageStyles(lists);
    for (int i = 0; i < kKeywordSets; ++i) {
        if (keywordMask & (1 << i))
            SetKeywords(languageId, lists[i], i);
    }
}

void CNsisTextView::ApplyLanguageStyles(std::array<QString, kKeywordSets>& lists) {
    if (m_config.LexerTypes().empty())
        return;
    for (const WordsStyle& style : m_config.LexerTypes().front().styles) {
        SetStyle(style);
        // A style's own words join the language's list of the class it colours.
        if (style.keywordClass >= 0 && style.keywordClass < kKeywordSets && style.keywords)
            lists[style.keywordClass] = *style.keywords;
    }
}

void CNsisTextView::SetKeywords(int languageId, const QString& words, int setIndex) {
    m_styler->SetKeywords(setIndex, words + u' ' + m_config.KeywordsFor(languageId, setIndex).value_or(QString()));
}

void CNsisTextView::SetStyle(const WordsStyle& style) {
    const WordsStyle shown = m_filter ? m_filter(style) : style;
    ApplyStyle(shown);
    if (shown.styleId == 0) {
        WordsStyle copy = shown;
        for (int number : {ScintillaCall::kStyleCallTip, ScintillaCall::kStyleDefault}) {
            copy.styleId = number;
            ApplyStyle(copy);
        }
    }
}

void CNsisTextView::ApplyStyle(const WordsStyle& style) {
    const int id = style.styleId;
    if ((style.colourFlags & kApplyForeColour) && style.foreColour >= 0)
        m_call->StyleSetFore(id, style.foreColour);
    if ((style.colourFlags & kApplyBackColour) && style.backColour >= 0)
        m_call->StyleSetBack(id, style.backColour);
    if (style.fontName && !style.fontName->isEmpty())
        m_call->StyleSetFont(id, style.fontName->toUtf8());
    if (style.fontStyle != -1) {
        m_call->StyleSetBold(id, style.fontStyle & kFontBold);
        m_call->StyleSetItalic(id, style.fontStyle & kFontItalic);
        m_call->StyleSetUnderline(id, style.fontStyle & kFontUnderline);
    }
    if (style.fontSize > 0)
        m_call->StyleSetSize(id, style.fontSize);
}

int CNsisTextView::LineNumberWidth() const {
    const long onScreen = m_call->LinesOnScreen();
    if (onScreen <= 0)
        return -1;
    const long n = m_call->FirstVisibleLine() + onScreen + 1;
    const int digits = std::max(3, DecimalDigits(n));
    const int eight = m_call->TextWidth(ScintillaCall::kStyleLineNumber, "8");
    return digits * eight + 8;
}

void CNsisTextView::UpdateLineNumberWidth() {
    if (!m_lineNumbers)
        return;
    const int width = LineNumberWidth();
    if (width >= 0 && width != m_call->MarginWidthN(0))
        m_call->SetMarginWidthN(0, width);
}

void CNsisTextView::RemoveMargins() {
    m_margins = false;
    m_lineNumbers = false;
    for (int margin = 0; margin < kMarginCount; ++margin)
        m_call->SetMarginWidthN(margin, 0);
}
