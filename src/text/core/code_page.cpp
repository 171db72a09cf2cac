// CodePage: the legacy code pages an ANSI script may be written in, with their iconv and display names.
#include "text/core/code_page.h"

#include <array>

namespace {

struct CodePageInfo {
    CodePage page;
    const char* iconvName;
    const char* displayName;
    bool singleByte;
    bool roundTrips;  // glibc's table has one spelling per character; a test holds it to that
};

constexpr std::array kCodePages{
    CodePageInfo{CodePage::Cp936, "CP936", "GBK", false, true},
    CodePageInfo{CodePage::Gb18030, "GB18030", "GB18030", false, false},
    CodePageInfo{CodePage::Big5, "CP950", "Big5", false, false},
    CodePageInfo{CodePage::ShiftJis, "CP932", "Shift_JIS", false, false},
    CodePageInfo{CodePage::EucKr, "CP949", "EUC-KR", false, false},
    CodePageInfo{CodePage::Windows1250, "CP1250", "Windows-1250", true, true},
    CodePageInfo{CodePage::Windows1251, "CP1251", "Windows-1251", true, true},
    CodePageInfo{CodePage::Windows1252, "CP1252", "Windows-1252", true, true},
    CodePageInfo{CodePage::Windows1253, "CP1253", "Windows-1253", true, true},
    CodePageInfo{CodePage::Windows1254, "CP1254", "Windows-1254", true, true},
    CodePageInfo{CodePage::Windows1257, "CP1257", "Windows-1257", true, true},
    CodePageInfo{CodePage::Iso8859_15, "ISO-8859-15", "ISO-8859-15", true, true},
    CodePageInfo{CodePage::Koi8R, "KOI8-R", "KOI8-R", true, true},
};

static_assert(kCodePages.size() == kCodePageCount);
static_assert(
    [] {
        for (size_t i = 0; i < kCodePages.size(); ++i)
            if (size_t(kCodePages[i].page) != i)
                return false;
        return true;
    }(),
    "the table is indexed by the stored number");

constexpr std::array kAllPages = [] {
    std::array<CodePage, kCodePages.size()> pages{};
    for (size_t i = 0; i < kCodePages.size(); ++i)
        pages[i] = kCodePages[i].page;
    return pages;
}();

const CodePageInfo& InfoOf(CodePage page) {
    const auto index = size_t(page);
    return index < kCodePages.size() ? kCodePages[index] : kCodePages[0];
}

}  // namespace

std::span<const CodePage> AllCodePages() { return kAllPages; }

bool IsSingleByte(CodePage page) { return InfoOf(page).singleByte; }

bool RoundTripsEveryCharacter(CodePage page) { return InfoOf(page).roundTrips; }

const char* IconvName(CodePage page) { return InfoOf(page).iconvName; }

QString CodePageName(CodePage page) { return QString::fromLatin1(InfoOf(page).displayName); }

std::optional<CodePage> CodePageFromNumber(int number) {
    if (number < 0 || number >= int(kCodePages.size()))
        return std::nullopt;
    return CodePage(number);
}
