// Reading and writing the number and colour texts of the XML attributes.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tinyxml2 {
class XMLElement;
}

// "" gives 0; anything but a whole decimal int (leading blanks and a sign
// allowed) gives -1.
int ParseDecimal(const char* text);

// Six hex digits RRGGBB, returned as 0x00BBGGRR; "" gives 0 (black); text
// that is not a hexadecimal colour gives -1.
int ParseRgbColour(const char* text);
// 0x00BBGGRR as "RRGGBB".
QByteArray FormatRgbColour(int colour);

// "instre1".."type5" and "0".."8" name keyword classes 0..8; anything else is -1.
int KeywordClassFromName(const char* name);

// Attribute as text; absent when the element lacks it.
std::optional<QString> TextAttribute(const tinyxml2::XMLElement& element, const char* name);

// A whole unsigned 32-bit decimal (leading blanks allowed); nullopt otherwise.
std::optional<unsigned> ParseUnsigned32(const char* text);
