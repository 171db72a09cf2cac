// The statistics-number check and the installer version check shared by the wizard and statistics insertion.
#pragma once

#include <QString>
#include <cstdint>

struct StatNumberCheck {
    bool valid = false;
    // The two parts the service knows the number by; both zero when invalid.
    std::uint32_t high = 0;  // upper 32 bits shifted right by 7
    std::uint32_t low = 0;   // lower 32 bits
};

// A base-36 number of at least 2^39 whose upper bits carry a check value modulo 127.
StatNumberCheck CheckStatNumber(const QString& text);

// "x.x.x.x": four non-empty decimal parts of 0 to 65535.
bool IsValidInstallVersion(const QString& text);
