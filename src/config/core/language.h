// Language: one keyword record read from langs.xml.
#pragma once

#include <QString>
#include <array>
#include <optional>

constexpr int kMaxLanguages = 80;
constexpr int kKeywordClasses = 9;
// Every language record carries the NSIS lexer's identifier.
constexpr int kNsisLanguageId = 28;

struct Language {
    int id = kNsisLanguageId;
    QString name;
    // Keyword text of classes 0..8; absent unless a Keywords element gave it.
    std::array<std::optional<QString>, kKeywordClasses> keywords;
};
