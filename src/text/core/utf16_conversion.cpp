// Conversions between UTF-16 bytes and UTF-8.
#include "text/core/utf16_conversion.h"

#include <cstdint>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Byte = unsigned char;

constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::uint32_t kOddByteHigh = 0xDBFF;
constexpr std::uint32_t kOddByteLowBase = 0xDC00;
// The odd-byte spelling: U+DBFF, then U+DC00 + b, both as three bytes.
constexpr qsizetype kOddByteSpellingSize = 6;

template <ByteOrder Order>
std::uint32_t ReadUnit(const Byte* p) {
    if constexpr (Order == ByteOrder::BigEndian)
        return std::uint32_t(p[0]) << 8 | p[1];
    else
        return std::uint32_t(p[1]) << 8 | p[0];
}

template <ByteOrder Order>
Byte* WriteUnit(Byte* d, std::uint32_t unit) {
    if constexpr (Order == ByteOrder::BigEndian) {
        d[0] = Byte(unit >> 8);
        d[1] = Byte(unit);
    } else {
        d[0] = Byte(unit);
        d[1] = Byte(unit >> 8);
    }
    return d + 2;
}

bool IsHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

Byte* WriteThreeBytes(Byte* d, std::uint32_t u) {
    *d++ = Byte(0xE0 | (u >> 12));
    *d++ = Byte(0x80 | ((u >> 6) & 0x3F));
    *d++ = Byte(0x80 | (u & 0x3F));
    return d;
}

#if defined(__SSE2__)
template <ByteOrder Order>
__m128i LoadUnits(const Byte* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    if constexpr (Order == ByteOrder::BigEndian)
        return _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
    else
        return v;
}
#endif

template <ByteOrder Order>
void Utf16ToUtf8Impl(const Byte* s, qsizetype units, Surrogates lone, QByteArray& out) {
    const qsizetype start = out.size();
    // Worst case three bytes per unit (a pair gives four for two units).
    out.resize(start + units * 3);
    Byte* const base = reinterpret_cast<Byte*>(out.data());
    Byte* d = base + start;
    qsizetype i = 0;
    while (i < units) {
        qsizetype blockEnd = units;
#if defined(__SSE2__)
        if (units - i >= 8) {
            const __m128i v = LoadUnits<Order>(s + 2 * i);
            const __m128i nonAscii = _mm_and_si128(v, _mm_set1_epi16(short(0xFF80)));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(nonAscii, _mm_setzero_si128())) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(v, v));
                d += 8;
                i += 8;
                continue;
            }
            // Not all ASCII: take this block one unit at a time.
            blockEnd = i + 8;
        }
#endif
        while (i < blockEnd) {
            const std::uint32_t u = ReadUnit<Order>(s + 2 * i);
            ++i;
            if (u < 0x80) {
                *d++ = Byte(u);
            } else if (u < 0x800) {
                *d++ = Byte(0xC0 | (u >> 6));
                *d++ = Byte(0x80 | (u & 0x3F));
            } else if (IsHighSurrogate(u) && i < units && IsLowSurrogate(ReadUnit<Order>(s + 2 * i))) {
                const std::uint32_t c = 0x10000 + ((u - 0xD800) << 10) + (ReadUnit<Order>(s + 2 * i) - 0xDC00);
                ++i;
                *d++ = Byte(0xF0 | (c >> 18));
                *d++ = Byte(0x80 | ((c >> 12) & 0x3F));
                *d++ = Byte(0x80 | ((c >> 6) & 0x3F));
                *d++ = Byte(0x80 | (c & 0x3F));
            } else if (lone == Surrogates::Refused && (IsHighSurrogate(u) || IsLowSurrogate(u))) {
                d = WriteThreeBytes(d, kReplacement);
            } else {
                d = WriteThreeBytes(d, u);
            }
        }
    }
    out.resize(d - base);
}

template <ByteOrder Order>
void Utf8ToUtf16Impl(const Byte* s, qsizetype size, QByteArray& out, bool& lossy) {
    const qsizetype start = out.size();
    // At most one unit (two bytes) per input byte.
    out.resize(start + size * 2);
    Byte* const base = reinterpret_cast<Byte*>(out.data());
    Byte* d = base + start;
    const Byte* const end = s + size;
    while (s < end) {
#if defined(__SSE2__)
        if (end - s >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
            if (_mm_movemask_epi8(v) == 0) {
                const __m128i zero = _mm_setzero_si128();
                __m128i lo, hi;
                if constexpr (Order == ByteOrder::BigEndian) {
                    lo = _mm_unpacklo_epi8(zero, v);
                    hi = _mm_unpackhi_epi8(zero, v);
                } else {
                    lo = _mm_unpacklo_epi8(v, zero);
                    hi = _mm_unpackhi_epi8(v, zero);
                }
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d), lo);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), hi);
                s += 16;
                d += 32;
                continue;
            }
        }
#endif
        if (*s < 0x80) {
            d = WriteUnit<Order>(d, *s++);
            continue;
        }
        const Utf8Sequence sequence = ReadUtf8Sequence(s, end, Surrogates::Kept);
        s += sequence.length;
        if (sequence.status != Utf8Status::Valid) {
            d = WriteUnit<Order>(d, kReplacement);
            lossy = true;
        } else if (sequence.codePoint < 0x10000) {
            d = WriteUnit<Order>(d, sequence.codePoint);
        } else {
            d = WriteUnit<Order>(d, 0xD800 + ((sequence.codePoint - 0x10000) >> 10));
            d = WriteUnit<Order>(d, 0xDC00 + ((sequence.codePoint - 0x10000) & 0x3FF));
        }
    }
    out.resize(d - base);
}

// The odd byte that the text ends with in Utf16ToUtf8Lossless's spelling, if it does.
std::optional<Byte> TrailingOddByte(QByteArrayView utf8) {
    if (utf8.size() < kOddByteSpellingSize)
        return std::nullopt;
    const Byte* p = reinterpret_cast<const Byte*>(utf8.end()) - kOddByteSpellingSize;
    const Byte* const end = p + kOddByteSpellingSize;
    const Utf8Sequence high = ReadUtf8Sequence(p, end, Surrogates::Kept);
    if (high.status != Utf8Status::Valid || high.codePoint != kOddByteHigh)
        return std::nullopt;
    const Utf8Sequence low = ReadUtf8Sequence(p + 3, end, Surrogates::Kept);
    if (low.status != Utf8Status::Valid || low.codePoint < kOddByteLowBase || low.codePoint > kOddByteLowBase + 0xFF)
        return std::nullopt;
    return Byte(low.codePoint - kOddByteLowBase);
}

}  // namespace

void Utf16ToUtf8(QByteArrayView bytes, ByteOrder order, Surrogates lone, QByteArray& out) {
    const Byte* s = reinterpret_cast<const Byte*>(bytes.data());
    if (order == ByteOrder::BigEndian)
        Utf16ToUtf8Impl<ByteOrder::BigEndian>(s, bytes.size() / 2, lone, out);
    else
        Utf16ToUtf8Impl<ByteOrder::LittleEndian>(s, bytes.size() / 2, lone, out);
}

void Utf16ToUtf8Lossless(QByteArrayView bytes, ByteOrder order, QByteArray& out) {
    Utf16ToUtf8(bytes, order, Surrogates::Kept, out);
    if (bytes.size() % 2 == 0)
        return;
    Byte spelling[kOddByteSpellingSize];
    WriteThreeBytes(WriteThreeBytes(spelling, kOddByteHigh), kOddByteLowBase + Byte(bytes.back()));
    out.append(reinterpret_cast<const char*>(spelling), kOddByteSpellingSize);
}

void Utf8ToUtf16(QByteArrayView utf8, ByteOrder order, QByteArray& out, bool& lossy) {
    lossy = false;
    const std::optional<Byte> oddByte = TrailingOddByte(utf8);
    if (oddByte)
        utf8.chop(kOddByteSpellingSize);
    const Byte* s = reinterpret_cast<const Byte*>(utf8.data());
    if (order == ByteOrder::BigEndian)
        Utf8ToUtf16Impl<ByteOrder::BigEndian>(s, utf8.size(), out, lossy);
    else
        Utf8ToUtf16Impl<ByteOrder::LittleEndian>(s, utf8.size(), out, lossy);
    if (oddByte)
        out.append(char(*oddByte));
}
