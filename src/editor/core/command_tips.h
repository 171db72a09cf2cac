// What the editor does when a character is typed or the mouse rests: command tips and keyword completion.
#pragma once

#include "editor/core/command_help_reader.h"
#include "editor/core/nsis_style.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <cstdint>

inline constexpr std::uint32_t kTipBackColour = 0xDFFFFF;  // pale yellow, 0x00BBGGRR
inline constexpr int kCompletionMaxRows = 20;

// A to Z, a to z, 0 to 9, '_', '!' and '$'.
bool IsTipWordChar(char c);

// "Usage: " and the command's usage text; empty when the word has none.
QByteArray UsageTip(const NsisTipsTable& tips, QByteArrayView word);

// The completion words from the keyword lists, in their order: split at
// blanks, without the one- to three-character words beginning with '$' (the
// registers such as $0 and $R9).
QList<QByteArray> BuildCompletionWords(const QList<QByteArray>& keywordLists);

// The words that begin with prefix, ASCII case ignored, in list order,
// joined by blanks; empty when none does.
QByteArray CompletionList(const QList<QByteArray>& words, QByteArrayView prefix);

struct TipAction {
    enum class Kind { None, ShowTip, CancelTip, ShowCompletion };
    Kind kind = Kind::None;
    QByteArray text;       // the tip, or the completion list
    int prefixLength = 0;  // for the completion list
};

// The run of word characters that ends lineToCaret.
QByteArrayView WordBeforeCaret(QByteArrayView lineToCaret);

// lineToCaret: the caret's line up to the caret, the typed character last;
// typedStyle: how the lexer styled that character. Comments get no list,
// strings only for a variable ('$' begins the prefix).
TipAction OnCharAdded(QByteArrayView lineToCaret, char typed, const NsisTipsTable& tips,
                      const QList<QByteArray>& words, NsisStyle typedStyle = NsisStyle::Default);

// Whether Enter takes the completion list's entry. Only after the user moved
// through the list, and never for a word typed out in full (case ignored):
// otherwise Enter closes the list and breaks the line as typed.
bool EnterAcceptsCompletion(bool movedInList, QByteArrayView typedWord, const QList<QByteArray>& words);

// The open hover tip, as the view remembers it.
struct HoverTipMemory {
    qint64 position = -1;
    QByteArray word;
};

// The mouse rests at position, which is index within line. A tip already
// open at the same position is shown again only for another word (case
// ignored), so resting on the same word does not reopen it.
TipAction OnDwellStart(QByteArrayView line, qsizetype index, qint64 position, bool tipOpen, const NsisTipsTable& tips,
                       HoverTipMemory& memory);
