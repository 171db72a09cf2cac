// The statistics-number check and the installer version check.
#include "wizard/core/wizard_checks.h"

#include <QStringList>
#include <cerrno>
#include <cstdlib>

StatNumberCheck CheckStatNumber(const QString& text) {
    // The service's numbers are read like a C library base-36 conversion reads them,
    // so sign, leading blanks and trailing garbage behave the same way.
    const QByteArray bytes = text.trimmed().toUtf8();
    errno = 0;
    const unsigned long long v = std::strtoull(bytes.constData(), nullptr, 36);
    if (errno == ERANGE)
        return {};
    const std::uint64_t value = v;
    if (value < (std::uint64_t{1} << 39))
        return {};
    const auto hi = static_cast<std::uint32_t>(value >> 32);
    const auto lo = static_cast<std::uint32_t>(value);
    const std::uint32_t high = hi >> 7;
    if ((std::uint64_t{high} + lo) % 127 != (hi & 0x7F))
        return {};
    return {true, high, lo};
}

bool IsValidInstallVersion(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        if (part.isEmpty())
            return false;
        std::uint32_t value = 0;
        for (QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
            value = value * 10 + static_cast<std::uint32_t>(c.unicode() - '0');
            if (value > 65535)
                return false;
        }
    }
    return true;
}
