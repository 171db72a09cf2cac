// Where and how the statistics line goes into a script: the old lines removed, the new one after OutFile.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Replace `removed` bytes at `position` by `inserted`; positions count in the
// text as the edits before have left it.
struct TextEdit {
    qsizetype position = 0;
    qsizetype removed = 0;
    QByteArray inserted;

    bool operator==(const TextEdit&) const = default;
};

struct StatCodeEdit {
    std::vector<TextEdit> edits;  // in the order they are made
    int statLine = 0;             // 0-based line of the new statistics line afterwards
};

// For the UTF-8 text of a script: every uncommented KorvaneID line is
// deleted, and "KorvaneID <number> <comment>" goes on a new line after the
// last OutFile line, indented like it (at most 64 blanks). Without an OutFile
// line the statistics line becomes the first line. Line breaks follow the text's own.
StatCodeEdit PlanStatCode(const QByteArray& utf8Text, const QString& number, const QString& comment);
