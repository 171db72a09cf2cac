// IconvConverter: the one owner of an iconv(3) conversion descriptor.
#include "text/core/iconv_converter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);
}

IconvConverter::IconvConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}

IconvConverter::~IconvConverter() {
    if (IsOpen())
        iconv_close(m_cd);
}

bool IconvConverter::IsOpen() const { return m_cd != kClosed; }

qsizetype IconvConverter::Convert(QByteArrayView in, QByteArray& out, qsizetype expectedSize,
                                  const BadInputHandler& onBadInput) {
    const qsizetype start = out.size();
    out.resize(start + expectedSize + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = size_t(in.size());
    qsizetype used = start;
    while (srcLeft > 0) {
        char* dst = out.data() + used;
        size_t dstLeft = size_t(out.size() - used);
        const size_t result = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        used = dst - out.data();
        if (result != size_t(-1))
            break;
        if (error == E2BIG) {
            out.resize(out.size() + qsizetype(srcLeft) * 3 + 16);
            continue;
        }
        // EILSEQ, or EINVAL: the input ends inside a character.
        const BadInputAnswer answer = onBadInput(QByteArrayView(src, qsizetype(srcLeft)), error == EINVAL);
        if (answer.skip <= 0)
            break;
        const qsizetype skip = std::min(answer.skip, qsizetype(srcLeft));
        if (out.size() - used < answer.replacement.size())
            out.resize(out.size() + answer.replacement.size() + qsizetype(srcLeft) * 3 + 16);
        memcpy(out.data() + used, answer.replacement.data(), size_t(answer.replacement.size()));
        used += answer.replacement.size();
        src += skip;
        srcLeft -= size_t(skip);
    }
    out.resize(used);
    return in.size() - qsizetype(srcLeft);
}

bool ConvertExactly(const char* to, const char* from, QByteArrayView in, QByteArray& out) {
    IconvConverter converter(to, from);
    if (!converter.IsOpen())
        return false;
    const qsizetype start = out.size();
    const auto stop = [](QByteArrayView, bool) { return BadInputAnswer{}; };
    if (converter.Convert(in, out, in.size() * 4, stop) == in.size())
        return true;
    out.truncate(start);
    return false;
}
