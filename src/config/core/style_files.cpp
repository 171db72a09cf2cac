// Reading langs.xml and stylers.xml into records and writing the styles back.
#include "config/core/style_files.h"

#include "config/core/xml_values.h"

#include <tinyxml2.h>

namespace {

// Style numbers the editing component has.
constexpr int kMaxStyleNumber = 255;

// Reads an attribute with `parse` when present; absent keeps `value`.
template <typename Parse>
void ReadNumber(const tinyxml2::XMLElement& element, const char* name, int& value, Parse parse) {
    if (const char* text = element.Attribute(name))
        value = parse(text);
}

std::optional<WordsStyle> ReadWordsStyle(const tinyxml2::XMLElement& element) {
    const char* id = element.Attribute("styleID");
    if (id == nullptr)
        return std::nullopt;
    WordsStyle style;
    style.styleId = ParseDecimal(id);
    if (style.styleId < 0 || style.styleId > kMaxStyleNumber)
        return std::nullopt;
    style.name = TextAttribute(element, "name");
    ReadNumber(element, "fgColor", style.foreColour, ParseRgbColour);
    ReadNumber(element, "bgColor", style.backColour, ParseRgbColour);
    ReadNumber(element, "colorStyle", style.colourFlags, ParseDecimal);
    style.fontName = TextAttribute(element, "fontName");
    ReadNumber(element, "fontStyle", style.fontStyle, ParseDecimal);
    ReadNumber(element, "fontSize", style.fontSize, ParseDecimal);
    if (const char* keywordClass = element.Attribute("keywordClass"))
        style.keywordClass = KeywordClassFromName(keywordClass);
    if (const char* text = element.GetText())
        style.keywords = QString::fromUtf8(text);
    return style;
}

bool SameName(const char* attribute, const QString& name) {
    return attribute != nullptr && QString::fromUtf8(attribute) == name;
}

void WriteWordsStyle(tinyxml2::XMLElement& element, const WordsStyle& style) {
    const auto writeColour = [&](const char* name, int colour) {
        if ((static_cast<unsigned>(colour) >> 24) != 0xFF)
            element.SetAttribute(name, FormatRgbColour(colour).constData());
    };
    writeColour("fgColor", style.foreColour);
    writeColour("bgColor", style.backColour);
    if (style.colourFlags != (kApplyForeColour | kApplyBackColour))
        element.SetAttribute("colorStyle", style.colourFlags);
    if (style.fontName && !SameName(element.Attribute("fontName"), *style.fontName))
        element.SetAttribute("fontName", style.fontName->toUtf8().constData());
    if (style.fontSize != -1) {
        if (style.fontSize == 0)
            element.SetAttribute("fontSize", "");
        else
            element.SetAttribute("fontSize", style.fontSize);
    }
    if (style.fontStyle != -1)
        element.SetAttribute("fontStyle", style.fontStyle);
    if (style.keywords)
        element.SetText(style.keywords->toUtf8().constData());
}

}  // namespace

std::vector<Language> ReadLanguages(const tinyxml2::XMLElement* root) {
    std::vector<Language> languages;
    const tinyxml2::XMLElement* list = root ? root->FirstChildElement("Languages") : nullptr;
    if (list == nullptr)
        return languages;
    for (const auto* element = list->FirstChildElement("Language");
         element != nullptr && int(languages.size()) < kMaxLanguages;
         element = element->NextSiblingElement("Language")) {
        const char* name = element->Attribute("name");
        if (name == nullptr)
            continue;
        Language language;
        language.name = QString::fromUtf8(name);
        for (const auto* keywords = element->FirstChildElement("Keywords"); keywords != nullptr;
             keywords = keywords->NextSiblingElement("Keywords")) {
            const int keywordClass = KeywordClassFromName(keywords->Attribute("name"));
            if (keywordClass < 0 || keywordClass >= kKeywordClasses)
                continue;
            const char* text = keywords->GetText();
            language.keywords[size_t(keywordClass)] = QString::fromUtf8(text ? text : "");
        }
        languages.push_back(std::move(language));
    }
    return languages;
}

std::vector<LexerType> ReadLexerStyles(const tinyxml2::XMLElement* root) {
    std::vector<LexerType> lexerTypes;
    const tinyxml2::XMLElement* list = root ? root->FirstChildElement("LexerStyles") : nullptr;
    if (list == nullptr)
        return lexerTypes;
    for (const auto* element = list->FirstChildElement("LexerType");
         element != nullptr && int(lexerTypes.size()) < kMaxLexerTypes;
         element = element->NextSiblingElement("LexerType")) {
        const char* name = element->Attribute("name");
        if (name == nullptr)
            continue;
        LexerType lexer;
        lexer.name = QString::fromUtf8(name);
        lexer.desc = TextAttribute(*element, "desc").value_or(QString());
        lexer.ext = TextAttribute(*element, "ext").value_or(QString());
        for (const auto* styleElement = element->FirstChildElement("WordsStyle");
             styleElement != nullptr && int(lexer.styles.size()) < kMaxStylesPerLexer;
             styleElement = styleElement->NextSiblingElement("WordsStyle")) {
            if (auto style = ReadWordsStyle(*styleElement))
                lexer.styles.push_back(std::move(*style));
        }
        lexerTypes.push_back(std::move(lexer));
    }
    return lexerTypes;
}

void WriteLexerStyles(tinyxml2::XMLElement* root, const std::vector<LexerType>& lexerTypes) {
    tinyxml2::XMLElement* list = root ? root->FirstChildElement("LexerStyles") : nullptr;
    if (list == nullptr)
        return;
    for (auto* element = list->FirstChildElement("LexerType"); element != nullptr;
         element = element->NextSiblingElement("LexerType")) {
        const char* name = element->Attribute("name");
        const LexerType* lexer = nullptr;
        for (const LexerType& candidate : lexerTypes) {
            if (SameName(name, candidate.name)) {
                lexer = &candidate;
                break;
            }
        }
        if (lexer == nullptr)
            continue;
        element->SetAttribute("ext", lexer->ext.toUtf8().constData());
        for (auto* styleElement = element->FirstChildElement("WordsStyle"); styleElement != nullptr;
             styleElement = styleElement->NextSiblingElement("WordsStyle")) {
            const char* styleName = styleElement->Attribute("name");
            for (const WordsStyle& style : lexer->styles) {
                if (style.name && SameName(styleName, *style.name)) {
                    WriteWordsStyle(*styleElement, style);
                    break;
                }
            }
        }
    }
}
