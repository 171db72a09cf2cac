// The UTF-8 byte rules (RFC 3629): how one sequence is read, and what makes it valid, cut short or invalid.
#pragma once

#include <cstddef>

// Whether encoded surrogates (ED A0..BF xx) count as characters. RFC 3629
// refuses them; the editor's own text keeps a lone UTF-16 surrogate in that
// form so that every UCS-2 file reads back byte for byte.
enum class Surrogates { Refused, Kept };

enum class Utf8Status {
    Valid,      // a whole character
    Truncated,  // a correct start that the end of the buffer cuts
    Invalid,    // no character: an impossible lead, or a wrong following byte
};

struct Utf8Sequence {
    Utf8Status status = Utf8Status::Invalid;
    // Valid: the character's bytes. Truncated: the bytes up to the end.
    // Invalid: the longest correct start, at least 1, so a caller that skips
    // it replaces each broken character once.
    int length = 1;
    char32_t codePoint = 0;  // only when Valid
};

namespace utf8_detail {

struct LeadRule {
    unsigned char length = 0;   // 0: never a lead
    unsigned char low = 0x80;   // bounds of the second byte, which carry the
    unsigned char high = 0xBF;  // bans on overlongs, surrogates and > U+10FFFF
};

constexpr LeadRule RuleFor(unsigned lead, Surrogates surrogates) {
    if (lead < 0x80)
        return {1, 0, 0};
    if (lead < 0xC2)  // a continuation byte, or the overlong leads C0 and C1
        return {};
    if (lead < 0xE0)
        return {2};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED && surrogates == Surrogates::Refused)
        return {3, 0x80, 0x9F};
    if (lead < 0xF0)
        return {3};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead < 0xF4)
        return {4};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    return {};  // F5..FF
}

// One table per surrogate rule, so a lead costs one lookup.
template <Surrogates S>
inline constexpr auto kLeadRules = [] {
    struct Table {
        LeadRule rules[256];
    } table{};
    for (unsigned lead = 0; lead < 256; ++lead)
        table.rules[lead] = RuleFor(lead, S);
    return table;
}();

constexpr bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

constexpr char32_t CodePoint(const unsigned char* p, int length) {
    char32_t c = p[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        c = c << 6 | (p[i] & 0x3F);
    return c;
}

}  // namespace utf8_detail

// Reads the sequence that starts at p; p < end.
constexpr Utf8Sequence ReadUtf8Sequence(const unsigned char* p, const unsigned char* end, Surrogates surrogates) {
    using namespace utf8_detail;
    const LeadRule rule = surrogates == Surrogates::Kept ? kLeadRules<Surrogates::Kept>.rules[*p]
                                                         : kLeadRules<Surrogates::Refused>.rules[*p];
    if (rule.length <= 1)
        return rule.length == 1 ? Utf8Sequence{Utf8Status::Valid, 1, *p} : Utf8Sequence{};
    const std::ptrdiff_t available = end - p;
    if (available >= rule.length) {
        // The usual case, without a check of the end per byte.
        if (p[1] < rule.low || p[1] > rule.high)
            return {Utf8Status::Invalid, 1};
        if (rule.length > 2 && !IsContinuation(p[2]))
            return {Utf8Status::Invalid, 2};
        if (rule.length > 3 && !IsContinuation(p[3]))
            return {Utf8Status::Invalid, 3};
        return {Utf8Status::Valid, rule.length, CodePoint(p, rule.length)};
    }
    for (int i = 1; i < available; ++i) {
        const bool fits = i == 1 ? p[1] >= rule.low && p[1] <= rule.high : IsContinuation(p[i]);
        if (!fits)
            return {Utf8Status::Invalid, i};
    }
    return {Utf8Status::Truncated, int(available)};
}
