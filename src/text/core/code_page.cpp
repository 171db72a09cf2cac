// CodePage: the legacy code pages an ANSI script may be written in, with their iconv and display names.
#include "text/core/code_page.h"

#include <array>

namespace {

struct CodePageInfo {
    CodePage page;
    const char* iconvName;
    const char* displayName;
};

constexpr std::array kCodePages{
    CodePageInfo{CodePage::Cp936, "CP936", "GBK"},
    CodePageInfo{CodePage::Gb18030, "GB18030", "GB18030"},
    CodePageInfo{CodePage::Big5, "CP950", "Big5"},
    CodePageInfo{CodePage::ShiftJis, "CP932", "Shift_JIS"},
    CodePageInfo{CodePage::EucKr, "CP949", "EUC-KR"},
    CodePageInfo{CodePage::Windows1250, "CP1250", "Windows-1250"},
    CodePageInfo{CodePage::Windows1251, "CP1251", "Windows-1251"},
    CodePageInfo{CodePage::Windows1252, "CP1252", "Windows-1252"},
    CodePageInfo{CodePage::Windows1253, "CP1253", "Windows-1253"},
    CodePageInfo{CodePage::Windows1254, "CP1254", "Windows-1254"},
    CodePageInfo{CodePage::Windows1257, "CP1257", "Windows-1257"},
    CodePageInfo{CodePage::Iso8859_15, "ISO-8859-15", "ISO-8859-15"},
    CodePageInfo{CodePage::Koi8R, "KOI8-R", "KOI8-R"},
};

static_assert(kCodePages.size() == kCodePageCount);
static_assert([] {
    for (size_t i = 0; i < kCodePages.size(); ++i)
        if (size_t(kCodePages[i].page) != i)
            return false;
    return true;
}(), "the table is indexed by the stored number");

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

const char* IconvName(CodePage page) { return InfoOf(page).iconvName; }

QString CodePageName(CodePage page) { return QString::fromLatin1(InfoOf(page).displayName); }

std::optional<CodePage> CodePageFromNumber(int number) {
    if (number < 0 || number >= int(kCodePages.size()))
        return std::nullopt;
    return CodePage(number);
}
