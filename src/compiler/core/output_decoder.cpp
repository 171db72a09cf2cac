// COutputDecoder: compiler output to UTF-8.
#include "compiler/core/output_decoder.h"

#include "text/core/ansi_code_page.h"
#include "text/core/ascii_run.h"
#include "text/core/utf16_conversion.h"
#include "text/core/utf8_check.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {
constexpr char kReplacement[] = "\xEF\xBF\xBD";
// How far a deciding line without a line feed is read before it decides.
constexpr qsizetype kDecidingLength = 4096;

const unsigned char* Bytes(QByteArrayView bytes) { return reinterpret_cast<const unsigned char*>(bytes.data()); }

// Bytes up to the first one above 0x7F; zero bytes are ASCII here.
qsizetype AsciiLength(QByteArrayView bytes) {
    const unsigned char* const begin = Bytes(bytes);
    const unsigned char* const end = begin + bytes.size();
    const unsigned char* p = begin;
    while ((p = SkipAscii(p, end)) < end && *p == 0)
        ++p;
    return p - begin;
}

// Whether the line that decides is UTF-8; bytes start at the output's first
// byte above 0x7F. nullopt while that line is still incomplete.
std::optional<bool> DecidingLineIsUtf8(QByteArrayView bytes, bool atEnd) {
    const qsizetype lineFeed = bytes.first(std::min(bytes.size(), kDecidingLength)).indexOf('\n');
    qsizetype length = bytes.size();
    if (lineFeed >= 0)
        length = lineFeed + 1;
    else if (bytes.size() >= kDecidingLength)
        length = kDecidingLength;
    else if (!atEnd)
        return std::nullopt;
    return CheckUtf8(bytes.first(length), Surrogates::Refused) != Utf8Check::Invalid;
}

// Returns the bytes taken; a sequence cut by the end of bytes waits unless atEnd.
qsizetype AppendUtf8(QByteArrayView bytes, QByteArray& out, bool atEnd) {
    const unsigned char* const begin = Bytes(bytes);
    const unsigned char* const end = begin + bytes.size();
    const unsigned char* p = begin;
    while (p < end) {
        const unsigned char* const run = p;
        Utf8Sequence sequence;
        while ((p = SkipAscii(p, end)) < end) {
            sequence = ReadUtf8Sequence(p, end, Surrogates::Refused);
            if (sequence.status != Utf8Status::Valid)
                break;
            p += sequence.length;
        }
        out.append(reinterpret_cast<const char*>(run), p - run);
        if (p == end)
            break;
        if (sequence.status == Utf8Status::Truncated && !atEnd)
            return p - begin;
        out.append(kReplacement);
        p += sequence.length;
    }
    return bytes.size();
}

bool EndsInHighSurrogate(QByteArrayView units) {
    return units.size() >= 2 && (static_cast<unsigned char>(units[units.size() - 1]) & 0xFC) == 0xD8;
}

qsizetype AppendUtf16(QByteArrayView bytes, QByteArray& out, bool atEnd) {
    QByteArrayView units = bytes.first(bytes.size() & ~qsizetype(1));
    // A high surrogate at the end waits for its partner.
    if (!atEnd && EndsInHighSurrogate(units))
        units.chop(2);
    Utf16ToUtf8(units, ByteOrder::LittleEndian, Surrogates::Refused, out);
    if (!atEnd)
        return units.size();
    if (units.size() < bytes.size())
        out.append(kReplacement);
    return bytes.size();
}

qsizetype AppendAnsi(QByteArrayView bytes, QByteArray& out, bool atEnd) {
    if (!atEnd) {
        if (const qsizetype taken = AnsiPieceToUtf8(bytes, out); taken >= 0)
            return taken;
    } else if (AnsiToUtf8(bytes, out)) {
        return bytes.size();
    }
    // Without the converter only ASCII can be trusted.
    for (const char c : bytes)
        static_cast<unsigned char>(c) < 0x80 ? out.append(c) : out.append(kReplacement);
    return bytes.size();
}
}  // namespace

QByteArray COutputDecoder::Decode(QByteArrayView chunk) {
    QByteArray data = std::exchange(m_pending, {});
    data.append(chunk);
    return DecodeHeld(data, false);
}

QByteArray COutputDecoder::Finish() { return DecodeHeld(std::exchange(m_pending, {}), true); }

QByteArray COutputDecoder::DecodeHeld(const QByteArray& data, bool atEnd) {
    if (m_encoding == Encoding::Unknown) {
        if (data.size() < 2 && !atEnd) {
            m_pending = data;
            return {};
        }
        m_encoding = data.size() >= 2 && data[1] == '\0' ? Encoding::Utf16 : Encoding::Ascii;
    }
    QByteArrayView rest = data;
    QByteArray out;
    if (m_encoding == Encoding::Ascii) {
        const qsizetype ascii = AsciiLength(rest);
        if (ascii == rest.size())
            return data;
        out = data.first(ascii);
        rest = rest.sliced(ascii);
        const std::optional<bool> utf8 = DecidingLineIsUtf8(rest, atEnd);
        if (!utf8) {
            m_pending = rest.toByteArray();
            return out;
        }
        m_encoding = *utf8 ? Encoding::Utf8 : Encoding::Ansi;
    }
    qsizetype taken = 0;
    switch (m_encoding) {
    case Encoding::Utf8: taken = AppendUtf8(rest, out, atEnd); break;
    case Encoding::Utf16: taken = AppendUtf16(rest, out, atEnd); break;
    case Encoding::Ansi: taken = AppendAnsi(rest, out, atEnd); break;
    case Encoding::Unknown:
    case Encoding::Ascii: break;
    }
    m_pending = rest.sliced(taken).toByteArray();
    return out;
}
