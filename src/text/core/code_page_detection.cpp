// The code page of bytes that are neither UTF-8 nor UTF-16: GBK when they are well formed GBK, else uchardet's guess.
#include "text/core/code_page_detection.h"

#include "text/core/ascii_run.h"

#include <uchardet/uchardet.h>

#include <QByteArray>

#include <cstring>
#include <memory>

namespace {

// uchardet needs the words around the unusual bytes, not megabytes of
// ASCII: only lines that hold such bytes are given, up to this much.
constexpr qsizetype kSampleLimit = 64 * 1024;

struct UchardetDeleter {
    void operator()(uchardet* detector) const { uchardet_delete(detector); }
};

// uchardet's names of the code pages we offer; ISO-8859-1 and -9 are read
// as the Windows code pages that contain them.
std::optional<CodePage> CodePageOfCharset(const char* name) {
    static constexpr struct {
        const char* name;
        CodePage page;
    } kNames[] = {
        {"GB18030", CodePage::Gb18030},          {"BIG5", CodePage::Big5},
        {"SHIFT_JIS", CodePage::ShiftJis},       {"EUC-KR", CodePage::EucKr},
        {"WINDOWS-1250", CodePage::Windows1250}, {"WINDOWS-1251", CodePage::Windows1251},
        {"WINDOWS-1252", CodePage::Windows1252}, {"ISO-8859-1", CodePage::Windows1252},
        {"WINDOWS-1253", CodePage::Windows1253}, {"WINDOWS-1254", CodePage::Windows1254},
        {"ISO-8859-9", CodePage::Windows1254},   {"WINDOWS-1257", CodePage::Windows1257},
        {"ISO-8859-15", CodePage::Iso8859_15},   {"KOI8-R", CodePage::Koi8R},
    };
    for (const auto& entry : kNames) {
        if (name && std::strcmp(name, entry.name) == 0)
            return entry.page;
    }
    return std::nullopt;
}

// The lines of bytes that hold a byte above 0x7F, up to kSampleLimit.
QByteArray UnusualLines(QByteArrayView bytes) {
    QByteArray sample;
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = begin + bytes.size();
    const auto* p = begin;
    while (p < end && sample.size() < kSampleLimit) {
        p = SkipAscii(p, end);
        if (p == end)
            break;
        if (*p == 0) {
            ++p;
            continue;
        }
        const auto* lineStart = p;
        while (lineStart > begin && lineStart[-1] != '\n')
            --lineStart;
        const auto* lineEnd = static_cast<const unsigned char*>(memchr(p, '\n', size_t(end - p)));
        lineEnd = lineEnd ? lineEnd + 1 : end;
        sample.append(reinterpret_cast<const char*>(lineStart), lineEnd - lineStart);
        p = lineEnd;
    }
    return sample;
}

// Every byte above 0x7F leads a GBK pair (81..FE, then 40..7E or 80..FE),
// or is the euro sign 80; a pair cut by the end still counts, as a file may
// end in the middle of one.
bool IsWellFormedGbk(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        p = SkipAscii(p, end);
        if (p == end)
            break;
        const unsigned char lead = *p++;
        if (lead < 0x81)  // a zero byte, or the euro sign 80
            continue;
        if (lead == 0xFF)
            return false;
        if (p == end)
            break;
        const unsigned char trail = *p++;
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return false;
    }
    return true;
}

}  // namespace

CodePage GuessCodePage(QByteArrayView bytes) {
    if (IsWellFormedGbk(bytes))
        return kDefaultCodePage;
    const std::unique_ptr<uchardet, UchardetDeleter> detector(uchardet_new());
    if (!detector)
        return kDefaultCodePage;
    const QByteArray sample = UnusualLines(bytes);
    if (uchardet_handle_data(detector.get(), sample.constData(), size_t(sample.size())) != 0)
        return kDefaultCodePage;
    uchardet_data_end(detector.get());
    return CodePageOfCharset(uchardet_get_charset(detector.get())).value_or(kDefaultCodePage);
}
