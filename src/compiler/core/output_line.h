// OutputLine: one line of makensis's output, with the lines it marks out recognised once for every reader.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// A place an error names: `"file" on line N`, or only `on line N`.
struct NamedPlace {
    std::optional<QString> file;  // as printed between the quotes; none when unquoted
    int line = 0;                 // 1-based; 0 when no digits follow "on line "
};

struct OutputLine {
    QString text;                            // without its line feed and a closing carriage return
    std::optional<NamedPlace> scriptError;   // "Error in script " (any case) ... "on line N"
    std::optional<QString> installer;        // `Output: "path"`, the path as printed
    std::optional<QString> badEncodingFile;  // "Bad text encoding: file:N", without ":N"
};

OutputLine ReadOutputLine(QByteArrayView line);

// `"file" on line N` ending an error line, as makensis names every step of an error chain.
std::optional<NamedPlace> QuotedPlace(QStringView text);
