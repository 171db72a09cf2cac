// Detection of a script file's encoding from its bytes.
#include "editor/core/encoding_detection.h"

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Byte = unsigned char;

// First byte at or after p that is zero or above 0x7F, or end. Scripts are
// mostly ASCII, so this is where detection spends its time.
const Byte* SkipAscii(const Byte* p, const Byte* end)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 64) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 48));
        const __m128i high = _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d));
        const __m128i low = _mm_min_epu8(_mm_min_epu8(a, b), _mm_min_epu8(c, d));
        if (_mm_movemask_epi8(high) | _mm_movemask_epi8(_mm_cmpeq_epi8(low, zero)))
            break;
        p += 64;
    }
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int stop = _mm_movemask_epi8(v) | _mm_movemask_epi8(_mm_cmpeq_epi8(v, zero));
        if (stop)
            return p + __builtin_ctz(unsigned(stop));
        p += 16;
    }
#endif
    while (p < end && *p != 0 && *p < 0x80)
        ++p;
    return p;
}

bool InRange(Byte b, Byte lo, Byte hi) { return b >= lo && b <= hi; }

} // namespace

Utf8Check CheckUtf8(QByteArrayView bytes)
{
    const Byte* p = reinterpret_cast<const Byte*>(bytes.data());
    const Byte* const end = p + bytes.size();
    bool multiByte = false;
    while (p < end) {
        if (*p < 0x80) {
            p = SkipAscii(p, end);
            if (p == end)
                break;
            if (*p == 0)
                return Utf8Check::Invalid;
            continue;
        }
        const Byte lead = *p;
        std::ptrdiff_t length = 0;
        Byte lo = 0x80;
        Byte hi = 0xBF;
        if (lead < 0xC2) {
            return Utf8Check::Invalid; // a stray continuation byte, or an overlong C0/C1 lead
        } else if (lead < 0xE0) {
            length = 2;
        } else if (lead < 0xF0) {
            length = 3;
            if (lead == 0xE0)
                lo = 0xA0;
        } else if (lead < 0xF5) {
            length = 4;
            if (lead == 0xF0)
                lo = 0x90;
            else if (lead == 0xF4)
                hi = 0x8F;
        } else {
            return Utf8Check::Invalid;
        }
        const std::ptrdiff_t available = end - p;
        const std::ptrdiff_t present = available < length ? available : length;
        for (std::ptrdiff_t i = 1; i < present; ++i) {
            if (!(i == 1 ? InRange(p[i], lo, hi) : InRange(p[i], 0x80, 0xBF)))
                return Utf8Check::Invalid;
        }
        if (available < length)
            return Utf8Check::Utf8;
        p += length;
        multiByte = true;
    }
    return multiByte ? Utf8Check::Utf8 : Utf8Check::SevenBit;
}

bool LooksLikeUtf16(QByteArrayView bytes, ByteOrder order)
{
    const qsizetype units = bytes.size() / 2;
    if (units == 0)
        return false;
    const Byte* p = reinterpret_cast<const Byte*>(bytes.data());
    const int high = order == ByteOrder::BigEndian ? 0 : 1;
    qsizetype lowZeros = 0;
    qsizetype highZeros = 0;
    for (qsizetype i = 0; i < units; ++i) {
        lowZeros += p[2 * i + 1 - high] == 0;
        highZeros += p[2 * i + high] == 0;
    }
    // Latin text in UTF-16: high bytes nearly all zero, low bytes almost never.
    return highZeros * 2 > units && lowZeros * 8 < units;
}

DetectedEncoding DetectEncoding(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    const auto at = [&](qsizetype i) { return Byte(bytes[i]); };
    if (n > 1 && at(0) == 0xFE && at(1) == 0xFF)
        return {TextEncoding::Ucs2BigEndian, 2};
    if (n > 1 && at(0) == 0xFF && at(1) == 0xFE)
        return {TextEncoding::Ucs2LittleEndian, 2};
    if (n > 2 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        return {TextEncoding::Utf8, 3};
    if (n > 1 && at(0) != 0 && at(1) == 0 && LooksLikeUtf16(bytes, ByteOrder::LittleEndian))
        return {TextEncoding::Ucs2LittleEndianNoBom, 0};
    // The mirror image, so that an unmarked big-endian file is not read as ANSI full of zero bytes.
    if (n > 1 && at(0) == 0 && at(1) != 0 && LooksLikeUtf16(bytes, ByteOrder::BigEndian))
        return {TextEncoding::Ucs2BigEndianNoBom, 0};
    switch (CheckUtf8(bytes)) {
    case Utf8Check::SevenBit:
        return {TextEncoding::SevenBit, 0};
    case Utf8Check::Utf8:
        return {TextEncoding::Utf8NoBom, 0};
    case Utf8Check::Invalid:
        break;
    }
    return {TextEncoding::Ansi, 0};
}
