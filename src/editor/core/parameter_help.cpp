// Which parameter of a command's usage line the caret is on, counted as makensis counts them.
#include "editor/core/parameter_help.h"

#include <cctype>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

QList<QByteArray> SwitchesIn(QByteArrayView text) {
    QList<QByteArray> switches;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '/'
            || (i > 0 && !IsBlank(text[i - 1]) && text[i - 1] != '[' && text[i - 1] != '(' && text[i - 1] != '|'))
            continue;
        qsizetype end = i + 1;
        while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'))
            ++end;
        if (end > i + 1)
            switches.append(text.sliced(i, end - i).toByteArray().toLower());
    }
    return switches;
}

// Splits text[from, to) at top-level blanks, opening parenthesised groups.
void SplitElements(QByteArrayView line, qsizetype from, qsizetype to, QList<UsageElement>& elements) {
    qsizetype i = from;
    while (i < to) {
        while (i < to && IsBlank(line[i]))
            ++i;
        if (i >= to)
            break;
        const qsizetype start = i;
        int depth = 0;
        bool hasInnerBlank = false;
        for (; i < to; ++i) {
            const char c = line[i];
            if (c == '[' || c == '(')
                ++depth;
            else if ((c == ']' || c == ')') && depth > 0)
                --depth;
            else if (IsBlank(c)) {
                if (depth == 0)
                    break;
                hasInnerBlank = true;
            }
        }
        const QByteArrayView text = line.sliced(start, i - start);
        if (text.startsWith('(') && text.endsWith(')') && hasInnerBlank) {
            SplitElements(line, start + 1, i - 1, elements);
            continue;
        }
        UsageElement element;
        element.start = start;
        element.end = i;
        element.repeat = text == "[...]" || text == "...";
        element.alternative = text == "|";
        element.optionalSwitch = text.startsWith("[/");
        element.switches = SwitchesIn(text);
        elements.append(element);
    }
}

QByteArray SwitchName(QByteArrayView token) {
    const qsizetype equals = token.indexOf('=');
    return (equals < 0 ? token : token.first(equals)).toByteArray().toLower();
}

qsizetype FindSwitch(const QList<UsageElement>& elements, qsizetype from, const QByteArray& name) {
    for (qsizetype e = from; e < elements.size(); ++e) {
        if (elements[e].switches.contains(name))
            return e;
    }
    return -1;
}

bool IsPureSwitch(QByteArrayView usage, const UsageElement& element) {
    QByteArrayView text = usage.sliced(element.start, element.end - element.start);
    if (text.startsWith('['))
        text = text.sliced(1, text.size() - 2);
    return !text.contains(' ');
}

// The element a value (not a switch) at pos fills; pos moves past it.
qsizetype FillValue(const QList<UsageElement>& elements, qsizetype& pos) {
    while (pos < elements.size() && elements[pos].optionalSwitch)
        ++pos;
    if (pos >= elements.size() || elements[pos].alternative)
        return -1;
    if (elements[pos].repeat)
        return pos > 0 ? pos - 1 : -1;  // the repeated element stays current
    return pos++;
}

}  // namespace

QList<UsageElement> UsageElements(QByteArrayView usageLine) {
    QList<UsageElement> elements;
    qsizetype keywordEnd = 0;
    while (keywordEnd < usageLine.size() && !IsBlank(usageLine[keywordEnd]))
        ++keywordEnd;
    SplitElements(usageLine, keywordEnd, usageLine.size(), elements);
    return elements;
}

TypedLine SplitTypedLine(QByteArrayView lineToCaret) {
    TypedLine typed;
    qsizetype i = 0;
    while (i < lineToCaret.size()) {
        while (i < lineToCaret.size() && IsBlank(lineToCaret[i]))
            ++i;
        if (i >= lineToCaret.size())
            return typed;
        const qsizetype start = i;
        char quote = 0;
        for (; i < lineToCaret.size(); ++i) {
            const char c = lineToCaret[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'' || c == '`') {
                quote = c;
            } else if (IsBlank(c)) {
                break;
            }
        }
        const QByteArray token = lineToCaret.sliced(start, i - start).toByteArray();
        if (i >= lineToCaret.size()) {
            typed.partial = token;  // the caret is in it, or in its open quote
            return typed;
        }
        typed.tokens.append(token);
    }
    return typed;
}

std::optional<std::pair<qsizetype, qsizetype>> CurrentParameter(QByteArrayView usageLine, const TypedLine& typed) {
    if (typed.tokens.isEmpty())
        return std::nullopt;
    const QList<UsageElement> elements = UsageElements(usageLine);
    qsizetype pos = 0;
    qsizetype switchWithArgument = -1;  // "[/x file]": the next value is the switch's own
    for (qsizetype t = 1; t < typed.tokens.size(); ++t) {
        const QByteArray& token = typed.tokens[t];
        if (switchWithArgument >= 0) {
            pos = switchWithArgument + 1;
            switchWithArgument = -1;
            continue;
        }
        if (token.startsWith('/')) {
            if (const qsizetype e = FindSwitch(elements, pos, SwitchName(token)); e >= 0) {
                if (IsPureSwitch(usageLine, elements[e]) || token.contains('='))
                    pos = e + 1;
                else
                    switchWithArgument = e;
                continue;
            }
        }
        if (FillValue(elements, pos) < 0)
            return std::nullopt;
    }
    qsizetype current = -1;
    if (switchWithArgument >= 0) {
        current = switchWithArgument;
    } else if (typed.partial.startsWith('/')) {
        current = FindSwitch(elements, pos, SwitchName(typed.partial));
        if (current < 0)
            current = pos < elements.size() ? pos : -1;
    } else if (typed.partial.isEmpty() && pos < elements.size() && !elements[pos].alternative) {
        current = elements[pos].repeat ? pos - 1 : pos;
    } else {
        current = FillValue(elements, pos);
    }
    if (current < 0)
        return std::nullopt;
    return std::make_pair(elements[current].start, elements[current].end);
}
