// LexerType and WordsStyle: the colouring records read from stylers.xml.
#pragma once

#include <QString>
#include <optional>
#include <vector>

constexpr int kMaxLexerTypes = 80;
constexpr int kMaxStylesPerLexer = 30;

// Colour bits of WordsStyle::colourFlags.
constexpr int kApplyForeColour = 1;
constexpr int kApplyBackColour = 2;

// Font style bits of WordsStyle::fontStyle.
constexpr int kFontBold = 1;
constexpr int kFontItalic = 2;
constexpr int kFontUnderline = 4;

struct WordsStyle {
    int styleId = 0;                             // the editing component's style number
    std::optional<QString> name = std::nullopt;  // display name and the key when saving
    int foreColour = -1;                         // 0x00BBGGRR; -1 when not given
    int backColour = -1;
    int colourFlags = kApplyForeColour | kApplyBackColour;
    std::optional<QString> fontName = std::nullopt;
    int fontStyle = -1;                              // bold/italic/underline bits; -1: not set
    int fontSize = -1;                               // points; 0 or less: not set
    int keywordClass = -1;                           // 0..8, -1 for none
    std::optional<QString> keywords = std::nullopt;  // the element's text content

    bool operator==(const WordsStyle&) const = default;
};

struct LexerType {
    QString name;
    QString desc;
    QString ext;
    std::vector<WordsStyle> styles;  // at most kMaxStylesPerLexer, file order

    bool operator==(const LexerType&) const = default;
};
