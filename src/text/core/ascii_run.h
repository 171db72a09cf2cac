// The end of a run of plain ASCII bytes, found sixteen bytes at a time: scripts and compiler output are mostly ASCII.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The first byte at or after p that is zero or above 0x7F, or end.
inline const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* end) {
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
