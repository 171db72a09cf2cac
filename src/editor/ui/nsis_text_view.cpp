// CNsisTextView: an editing component showing NSIS text in the configured colours, fonts and settings.
#include "editor/ui/nsis_text_view.h"

#include "config/core/configurator.h"
#include "config/core/language.h"
#include "editor/ui/editor_accessibility.h"
#include "editor/ui/nsis_styler.h"
#include "editor/ui/qsci_base.h"

#include <QVBoxLayout>

namespace {

using Sci = QsciScintillaBase;

constexpr long kMarginCount = 5;

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
      m_editor(new QsciScintillaBase(this)),
      m_styler(new NsisStyler(m_editor)),
      m_filter(std::move(filter)) {
    UseEditorAccessibility();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    Send(Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    Send(Sci::SCI_USEPOPUP, Sci::SC_POPUP_NEVER);
    ApplySettings();
    SetLexer(kNsisLanguageId, kLexerKeywordSets);
    connect(m_editor, &Sci::SCN_PAINTED, this, &CNsisTextView::UpdateLineNumberWidth);
    connect(m_editor, &Sci::SCN_ZOOM, this, &CNsisTextView::UpdateLineNumberWidth);
}

long CNsisTextView::Send(unsigned int message, long wParam, long lParam) const {
    return m_editor->SendScintilla(message, static_cast<unsigned long>(wParam), lParam);
}

long CNsisTextView::SendText(unsigned int message, long wParam, const char* text) const {
    return m_editor->SendScintilla(message, static_cast<uintptr_t>(wParam), text);
}

QByteArray CNsisTextView::Text() const {
    const long length = Send(Sci::SCI_GETLENGTH);
    QByteArray text(length + 1, '\0');
    m_editor->SendScintilla(Sci::SCI_GETTEXT, static_cast<unsigned long>(length + 1), static_cast<void*>(text.data()));
    text.chop(1);
    return text;
}

void CNsisTextView::ApplySettings() {
    const BaseConfig& base = m_config.Base();
    Send(Sci::SCI_SETTABWIDTH, base.TabSize > 0 ? base.TabSize : 4);
    Send(Sci::SCI_SETUSETABS, base.TabSpace ? 0 : 1);
    m_lineNumbers = m_margins && base.ShowLineNumber != 0;
    UpdateLineNumberWidth();
    if (!m_lineNumbers)
        Send(Sci::SCI_SETMARGINWIDTHN, 0, 0);
    Send(Sci::SCI_SETCARETLINEVISIBLE, base.ShowHotCurLine ? 1 : 0);
    Send(Sci::SCI_SETCARETLINEBACK, base.HotCurLineColor & 0xFFFFFF);
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
        for (int number : {Sci::STYLE_CALLTIP, Sci::STYLE_DEFAULT}) {
            copy.styleId = number;
            ApplyStyle(copy);
        }
    }
}

void CNsisTextView::ApplyStyle(const WordsStyle& style) {
    const long id = style.styleId;
    if ((style.colourFlags & kApplyForeColour) && style.foreColour >= 0)
        Send(Sci::SCI_STYLESETFORE, id, style.foreColour);
    if ((style.colourFlags & kApplyBackColour) && style.backColour >= 0)
        Send(Sci::SCI_STYLESETBACK, id, style.backColour);
    if (style.fontName && !style.fontName->isEmpty())
        SendText(Sci::SCI_STYLESETFONT, id, style.fontName->toUtf8().constData());
    if (style.fontStyle != -1) {
        Send(Sci::SCI_STYLESETBOLD, id, (style.fontStyle & kFontBold) ? 1 : 0);
        Send(Sci::SCI_STYLESETITALIC, id, (style.fontStyle & kFontItalic) ? 1 : 0);
        Send(Sci::SCI_STYLESETUNDERLINE, id, (style.fontStyle & kFontUnderline) ? 1 : 0);
    }
    if (style.fontSize > 0)
        Send(Sci::SCI_STYLESETSIZE, id, style.fontSize);
}

int CNsisTextView::LineNumberWidth() const {
    const long onScreen = Send(Sci::SCI_LINESONSCREEN);
    if (onScreen <= 0)
        return -1;
    const long n = Send(Sci::SCI_GETFIRSTVISIBLELINE) + onScreen + 1;
    const int digits = std::max(3, DecimalDigits(n));
    const int eight = int(SendText(Sci::SCI_TEXTWIDTH, Sci::STYLE_LINENUMBER, "8"));
    return digits * eight + 8;
}

void CNsisTextView::UpdateLineNumberWidth() {
    if (!m_lineNumbers)
        return;
    const int width = LineNumberWidth();
    if (width >= 0 && width != Send(Sci::SCI_GETMARGINWIDTHN, 0))
        Send(Sci::SCI_SETMARGINWIDTHN, 0, width);
}

void CNsisTextView::RemoveMargins() {
    m_margins = false;
    m_lineNumbers = false;
    for (long margin = 0; margin < kMarginCount; ++margin)
        Send(Sci::SCI_SETMARGINWIDTHN, margin, 0);
}
