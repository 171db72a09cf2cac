// Conversions between the ANSI code page (CP936, GBK) and the editor's UTF-8, through iconv.
#include "editor/core/ansi_conversion.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

constexpr char kAnsiCodePage[] = "CP936";

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (IsOpen())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in, appending to out. onBadInput is called with the
    // unconvertible input left (at least one byte); it returns how many bytes
    // to skip and the replacement to write.
    template <typename OnBadInput>
    void Run(QByteArrayView in, QByteArray& out, qsizetype expectedSize, OnBadInput onBadInput)
    {
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
            // EILSEQ or EINVAL (input cut short at the end).
            const auto [skip, replacement] = onBadInput(QByteArrayView(src, qsizetype(srcLeft)), error == EINVAL);
            if (out.size() - used < replacement.size())
                out.resize(out.size() + replacement.size() + qsizetype(srcLeft) * 3 + 16);
            memcpy(out.data() + used, replacement.data(), size_t(replacement.size()));
            used += replacement.size();
            src += skip;
            srcLeft -= size_t(skip);
        }
        out.resize(used);
    }

private:
    iconv_t m_cd;
};

struct Replacement {
    qsizetype skip;
    QByteArrayView bytes;
};

// Length of the UTF-8 character at the start of bytes as the editor may hold
// it (encoded surrogates included), so one bad character becomes one '?'.
qsizetype Utf8CharLength(QByteArrayView bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const qsizetype length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 1;
    for (qsizetype i = 1; i < length; ++i) {
        if (i >= bytes.size() || (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80)
            return i;
    }
    return length;
}

} // namespace

bool AnsiToUtf8(QByteArrayView ansi, QByteArray& out)
{
    Converter converter("UTF-8", kAnsiCodePage);
    if (!converter.IsOpen())
        return false;
    // Double-byte characters grow by half; ASCII keeps its size.
    converter.Run(ansi, out, ansi.size() + ansi.size() / 2, [](QByteArrayView, bool) {
        return Replacement{1, QByteArrayView("\xEF\xBF\xBD")};
    });
    return true;
}

bool Utf8ToAnsi(QByteArrayView utf8, QByteArray& out, bool& lossy)
{
    Converter converter(kAnsiCodePage, "UTF-8");
    if (!converter.IsOpen())
        return false;
    lossy = false;
    converter.Run(utf8, out, utf8.size(), [&lossy](QByteArrayView rest, bool cutShort) {
        lossy = true;
        return Replacement{cutShort ? rest.size() : Utf8CharLength(rest), QByteArrayView("?")};
    });
    return true;
}
