// Texts the editing commands put into a script: case changes, quotes, colour values and file names.
#pragma once

#include <QString>
#include <cstdint>

enum class TransformKind { Upper, Lower, Invert, Quote };

// Upper and lower map each UTF-16 unit on its own, so the length never
// changes; invert touches the ASCII letters only.
QString TransformText(const QString& text, TransformKind kind);

// "RRGGBB" in upper-case hexadecimal for a 0x00BBGGRR colour.
QString ColourText(std::uint32_t colour);

// The full path in double quotes, as NSIS takes a path with blanks.
QString FileNameText(const QString& path);
