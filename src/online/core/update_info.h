// The update information file (VID, NVURL), the version comparison and the postponement chosen on the new-version page.
#pragma once

#include <QString>
#include <QUrl>

#include <cstdint>
#include <optional>

// The version number of this build as the information file counts versions.
inline constexpr std::uint32_t kThisVersionNumber = 2;

// The value of the first "key:" line, the key in any letter case, at the
// start of the text or right after a CR LF; the value runs to the next CR LF.
std::optional<QString> UpdateInfoValue(const QString& text, const QString& key);

// As an unsigned 32-bit C conversion reads it: leading blanks and a sign,
// digits up to the first other character; no digits give 0, a minus sign
// counts modulo 2^32, a value too large gives 0xFFFFFFFF.
std::uint32_t ReadVersionNumber(const QString& text);

struct UpdateInfo {
    std::uint32_t version = kThisVersionNumber;
    QString pageAddress;  // NVURL; empty when the file names none
};

// VID ("2" when absent) and NVURL.
UpdateInfo ParseUpdateInfo(const QString& text);

bool IsNewerVersion(const UpdateInfo& info);

// NVURL resolved against the information file's address; the default page
// when it is absent or names anything but an http or https page.
QUrl UpdatePageUrl(const UpdateInfo& info, const QUrl& infoFileUrl, const QUrl& defaultPage);

// now plus days x 86400 seconds, for a days text that is a positive decimal
// number; nothing otherwise. Capped where the stored 32-bit time ends.
std::optional<std::int64_t> PostponedUntil(std::int64_t now, const QString& days);

// The page's input element with the id "CHK_UPDATE_INFO", when it is a check box.
struct PostponeBox {
    QString days;   // its value attribute
    QString label;  // the text right after it, up to the next tag
    bool checked = false;
    QString pageWithout;  // the page without the element and its label, for a view that cannot show inputs
};

std::optional<PostponeBox> FindPostponeBox(const QString& html);
