// CodePage: the legacy code pages an ANSI script may be written in, with their iconv and display names.
#pragma once

#include <QString>

#include <optional>
#include <span>

// The numbers are stored with the open files, so they stay fixed.
enum class CodePage {
    Cp936 = 0,  // GBK, the system code page
    Gb18030 = 1,
    Big5 = 2,
    ShiftJis = 3,
    EucKr = 4,
    Windows1250 = 5,
    Windows1251 = 6,
    Windows1252 = 7,
    Windows1253 = 8,
    Windows1254 = 9,
    Windows1257 = 10,
    Iso8859_15 = 11,
    Koi8R = 12,
};

inline constexpr CodePage kDefaultCodePage = CodePage::Cp936;
inline constexpr int kCodePageCount = 13;

// Every code page, CP936 first, in the order the menus offer them.
std::span<const CodePage> AllCodePages();

// The name iconv knows it by. Windows' own variants where iconv has both,
// since scripts come from Windows: CP932 keeps 5C a backslash, which
// glibc's SHIFT_JIS turns into a yen sign.
const char* IconvName(CodePage page);

// One byte per character.
bool IsSingleByte(CodePage page);

// Whether every character iconv decodes from the code page encodes back to
// the same bytes, so that decoded text needs no proof that it writes back
// unchanged. CP950, CP932, CP949 and GB18030 have characters with two spellings.
bool RoundTripsEveryCharacter(CodePage page);

// "GBK", "Windows-1252", ...: what the menus and the status bar show.
QString CodePageName(CodePage page);

// The code page stored as number, if it is one.
std::optional<CodePage> CodePageFromNumber(int number);
