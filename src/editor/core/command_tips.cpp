// Command tips and keyword completion, on plain text.
#include "editor/core/command_tips.h"

#include <algorithm>

bool IsTipWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '!'
        || c == '$';
}

QByteArray UsageTip(const NsisTipsTable& tips, QByteArrayView word) {
    if (word.isEmpty())
        return {};
    const auto found = tips.constFind(word.toByteArray().toLower());
    return found == tips.cend() ? QByteArray() : "Usage: " + found.value();
}

QList<QByteArray> BuildCompletionWords(const QList<QByteArray>& keywordLists) {
    QList<QByteArray> words;
    for (const QByteArray& list : keywordLists) {
        for (const QByteArray& word : list.split(' ')) {
            if (word.isEmpty() || (word.startsWith('$') && word.size() <= 3))
                continue;
            words.append(word);
        }
    }
    return words;
}

QByteArray CompletionList(const QList<QByteArray>& words, QByteArrayView prefix) {
    QByteArray list;
    for (const QByteArray& word : words) {
        if (word.size() < prefix.size() || word.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) != 0)
            continue;
        if (!list.isEmpty())
            list += ' ';
        list += word;
    }
    return list;
}

QByteArrayView WordBeforeCaret(QByteArrayView lineToCaret) {
    qsizetype start = lineToCaret.size();
    while (start > 0 && IsTipWordChar(lineToCaret[start - 1]))
        --start;
    return lineToCaret.sliced(start);
}

namespace {

bool IsStringStyle(NsisStyle style) {
    return style == NsisStyle::DoubleQuoted || style == NsisStyle::SingleQuoted || style == NsisStyle::BackQuoted
        || style == NsisStyle::StringVariable;
}

bool CompletionAllowed(NsisStyle typedStyle, QByteArrayView prefix) {
    if (typedStyle == NsisStyle::Comment || typedStyle == NsisStyle::CommentBox)
        return false;
    return !IsStringStyle(typedStyle) || prefix.startsWith('$');
}

}  // namespace

TipAction OnCharAdded(QByteArrayView lineToCaret, char typed, const NsisTipsTable& tips,
                      const QList<QByteArray>& words, NsisStyle typedStyle) {
    TipAction action;
    qsizetype end = lineToCaret.size();
    if (typed == ' ') {
        while (end > 0 && lineToCaret[end - 1] == ' ')
            --end;
        const QByteArrayView word = WordBeforeCaret(lineToCaret.first(end));
        if (word.isEmpty())
            return action;
        action.text = UsageTip(tips, word);
        action.kind = action.text.isEmpty() ? TipAction::Kind::CancelTip : TipAction::Kind::ShowTip;
        return action;
    }
    if (!IsTipWordChar(typed))
        return action;
    const QByteArrayView prefix = typed == '$' ? lineToCaret.last(end > 0 ? 1 : 0) : WordBeforeCaret(lineToCaret);
    if (!CompletionAllowed(typedStyle, prefix))
        return action;
    action.text = CompletionList(words, prefix);
    if (!action.text.isEmpty()) {
        action.kind = TipAction::Kind::ShowCompletion;
        action.prefixLength = static_cast<int>(prefix.size());
    }
    return action;
}

bool EnterAcceptsCompletion(bool movedInList, QByteArrayView typedWord, const QList<QByteArray>& words) {
    if (!movedInList)
        return false;
    return std::none_of(words.cbegin(), words.cend(),
                        [typedWord](const QByteArray& word) { return typedWord.compare(word, Qt::CaseInsensitive) == 0; });
}

TipAction OnDwellStart(QByteArrayView line, qsizetype index, qint64 position, bool tipOpen, const NsisTipsTable& tips,
                       HoverTipMemory& memory) {
    TipAction action;
    if (position < 0 || index < 0)
        return action;
    if (index >= line.size() || !IsTipWordChar(line[index])) {
        action.kind = TipAction::Kind::CancelTip;
        return action;
    }
    qsizetype start = index;
    qsizetype end = index;
    while (start > 0 && IsTipWordChar(line[start - 1]))
        --start;
    while (end < line.size() && IsTipWordChar(line[end]))
        ++end;
    const QByteArrayView word = line.sliced(start, end - start);
    action.text = UsageTip(tips, word);
    if (action.text.isEmpty()) {
        action.kind = TipAction::Kind::CancelTip;
        return action;
    }
    const bool samePlace = tipOpen && memory.position == position;
    if (samePlace && word.compare(memory.word, Qt::CaseInsensitive) == 0) {
        action.text.clear();
        return action;
    }
    memory.position = position;
    memory.word = word.toByteArray();
    action.kind = TipAction::Kind::ShowTip;
    return action;
}
