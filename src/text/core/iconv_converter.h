// IconvConverter: the one owner of an iconv(3) conversion descriptor, converting whole buffers.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <iconv.h>

// What to do with input the converter cannot take: skip that many bytes and
// write the replacement instead; a skip of 0 stops the conversion there.
struct BadInputAnswer {
    qsizetype skip = 0;
    QByteArrayView replacement;
};

// The unconvertible input left (at least one byte), and whether it is only
// cut short by the end of the input rather than wrong.
using BadInputHandler = std::function<BadInputAnswer(QByteArrayView rest, bool cutShort)>;

class IconvConverter {
public:
    // Code page names as iconv knows them, e.g. "CP936", "UTF-8".
    IconvConverter(const char* to, const char* from);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool IsOpen() const;

    // Converts in, appending to out, which grows as needed from a first guess
    // of expectedSize bytes. Returns how many input bytes were taken: all of
    // them unless onBadInput stopped the conversion.
    qsizetype Convert(QByteArrayView in, QByteArray& out, qsizetype expectedSize, const BadInputHandler& onBadInput);

private:
    iconv_t m_cd;
};

// Converts all of in exactly, appending to out; false, with out as it was,
// when the converter is unavailable or any input cannot be converted.
bool ConvertExactly(const char* to, const char* from, QByteArrayView in, QByteArray& out);
