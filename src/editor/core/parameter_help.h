// Which parameter of a command's usage line the caret is on, counted as makensis counts them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

// One parameter of a usage line: "[/r]", "mb_option_list", "[/x file|wildcard [...]]".
struct UsageElement {
    qsizetype start = 0;  // byte offsets in the usage line
    qsizetype end = 0;
    bool optionalSwitch = false;  // "[/...]": may be left out
    bool repeat = false;          // "[...]": the element before it may repeat
    bool alternative = false;     // "|" between two ways of writing the rest
    QList<QByteArray> switches;   // "/r", "/oname": the switches it takes, without values
};

// The parameters after the keyword; parentheses that group several are opened.
QList<UsageElement> UsageElements(QByteArrayView usageLine);

// The script line up to the caret split as makensis splits it: blanks
// separate, quotes (", ', `) hold blanks. The keyword is the first token;
// partial is the token the caret is in ("" right after a blank).
struct TypedLine {
    QList<QByteArray> tokens;  // complete tokens, keyword first
    QByteArray partial;
};
TypedLine SplitTypedLine(QByteArrayView lineToCaret);

// The byte range in usageLine of the parameter being typed; nothing when the
// typed line is past the last parameter or the line holds no keyword yet.
std::optional<std::pair<qsizetype, qsizetype>> CurrentParameter(QByteArrayView usageLine, const TypedLine& typed);
