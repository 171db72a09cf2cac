// Reading langs.xml and stylers.xml into records and writing the styles back.
#pragma once

#include "config/core/language.h"
#include "config/core/lexer_type.h"

#include <vector>

namespace tinyxml2 {
class XMLElement;
}

// root is the document's root element (`Scrivo`); null reads nothing.
std::vector<Language> ReadLanguages(const tinyxml2::XMLElement* root);
std::vector<LexerType> ReadLexerStyles(const tinyxml2::XMLElement* root);
// Writes the records into the matching LexerType/WordsStyle elements;
// everything the records do not cover stays as it is.
void WriteLexerStyles(tinyxml2::XMLElement* root, const std::vector<LexerType>& lexerTypes);
