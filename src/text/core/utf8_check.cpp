// The UTF-8 test of a whole buffer.
#include "text/core/utf8_check.h"

#include "text/core/ascii_run.h"

namespace {

// The rule is a template argument so that the loop reads one fixed table.
template <Surrogates Rule>
Utf8Check Check(const unsigned char* p, const unsigned char* const end) {
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
        const Utf8Sequence sequence = ReadUtf8Sequence(p, end, Rule);
        if (sequence.status == Utf8Status::Invalid)
            return Utf8Check::Invalid;
        if (sequence.status == Utf8Status::Truncated)
            return Utf8Check::Utf8;
        p += sequence.length;
        multiByte = true;
    }
    return multiByte ? Utf8Check::Utf8 : Utf8Check::SevenBit;
}

}  // namespace

Utf8Check CheckUtf8(QByteArrayView bytes, Surrogates surrogates) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    return surrogates == Surrogates::Kept ? Check<Surrogates::Kept>(p, end) : Check<Surrogates::Refused>(p, end);
}
