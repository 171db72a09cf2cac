// CNsisTextView: an editing component showing NSIS text in the configured colours, fonts and settings.
#pragma once

#include "config/core/lexer_type.h"
#include "editor/ui/scintilla_call.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class Configurator;
class NsisStyler;

// The editor view, the thumbnail and the compile log each hold one; only the
// editor view adds a document to it.
class CNsisTextView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kKeywordSets = 7;
    // Adjusts a style before it is applied: the log keeps its own background.
    using StyleFilter = std::function<WordsStyle(const WordsStyle&)>;
    // Which keyword sets the lexer takes: the four it colours.
    static constexpr int kLexerKeywordSets = 0b1111;

    CNsisTextView(const Configurator& config, QWidget* parent, StyleFilter filter = {});

    // The editing component, reached only through its typed calls.
    ScintillaCall& Call() const { return *m_call; }
    QByteArray Text() const { return m_call->GetText(); }

    // Tab width, tabs, line numbers and the caret line from the settings.
    void ApplySettings();
    // Styles of the style file and the keyword sets in keywordMask.
    void SetLexer(int languageId, int keywordMask);
    // Style 0 is also the default style and the call tips' style.
    void SetStyle(const WordsStyle& style);

    // Width the line-number margin should have now.
    int LineNumberWidth() const;
    // For the views that show no margins (the log, the thumbnail): every
    // margin goes, and the settings never bring the line numbers back.
    void RemoveMargins();

private:
    void ApplyLanguageStyles(std::array<QString, kKeywordSets>& lists);
    void SetKeywords(int languageId, const QString& words, int setIndex);
    void ApplyStyle(const WordsStyle& style);
    void UpdateLineNumberWidth();

    const Configurator& m_config;
    std::unique_ptr<ScintillaCall> m_call;
    NsisStyler* m_styler;
    StyleFilter m_filter;
    bool m_lineNumbers = true;
    bool m_margins = true;
};
