// Reading and writing the number and colour texts of the XML attributes.
#include "config/core/xml_values.h"

#include <tinyxml2.h>

#include <cctype>
#include <cstring>
#include <limits>

int ParseDecimal(const char* text) {
    if (text == nullptr || *text == '\0')
        return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return -1;
    long long value = 0;
    for (; *p != '\0'; ++p) {
        if (!std::isdigit(static_cast<unsigned char>(*p)))
            return -1;
        value = value * 10 + (*p - '0');
        // An out-of-range number is as unusable as a malformed one.
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return -1;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(value);
}

int ParseRgbColour(const char* text) {
    if (text == nullptr || *text == '\0')
        return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '\0')
        return -1;
    unsigned long rgb = 0;
    for (; *p != '\0'; ++p) {
        if (!std::isxdigit(static_cast<unsigned char>(*p)))
            return -1;
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        rgb = rgb * 16 + static_cast<unsigned long>(c <= '9' ? c - '0' : c - 'a' + 10);
        // More than RRGGBB cannot be a colour.
        if (rgb > 0xFFFFFF)
            return -1;
    }
    const int red = int((rgb >> 16) & 0xFF);
    const int green = int((rgb >> 8) & 0xFF);
    const int blue = int(rgb & 0xFF);
    return red | (green << 8) | (blue << 16);
}

QByteArray FormatRgbColour(int colour) {
    const unsigned value = static_cast<unsigned>(colour);
    const unsigned rgb = ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
    return QByteArray::number(rgb, 16).toUpper().rightJustified(6, '0');
}

int KeywordClassFromName(const char* name) {
    if (name == nullptr)
        return -1;
    static const char* const kNames[] = {"instre1", "instre2", "type1", "type2", "type3", "type4", "type5"};
    for (int i = 0; i < int(std::size(kNames)); ++i) {
        if (std::strcmp(name, kNames[i]) == 0)
            return i;
    }
    if (name[0] >= '0' && name[0] <= '8' && name[1] == '\0')
        return name[0] - '0';
    return -1;
}

std::optional<QString> TextAttribute(const tinyxml2::XMLElement& element, const char* name) {
    const char* value = element.Attribute(name);
    if (value == nullptr)
        return std::nullopt;
    return QString::fromUtf8(value);
}

std::optional<unsigned> ParseUnsigned32(const char* text) {
    if (text == nullptr)
        return std::nullopt;
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text == '\0')
        return std::nullopt;
    unsigned long long value = 0;
    for (; *text != '\0'; ++text) {
        if (!std::isdigit(static_cast<unsigned char>(*text)))
            return std::nullopt;
        value = value * 10 + unsigned(*text - '0');
        if (value > std::numeric_limits<unsigned>::max())
            return std::nullopt;
    }
    return unsigned(value);
}
