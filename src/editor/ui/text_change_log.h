// TextChangeLog: an editing component's insertions and removals in character offsets, kept until a screen reader is told.
#pragma once

#include "editor/ui/scintilla_call.h"

#include <QString>

#include <functional>
#include <string_view>
#include <vector>

struct TextChange {
    bool inserted = false;
    int offset = 0;  // UTF-16 code units before the change
    QString text;
    bool operator==(const TextChange&) const = default;
};

class TextChangeLog {
public:
    using Position = ScintillaCall::Position;
    using OffsetOf = std::function<int(Position)>;

    TextChangeLog(const ScintillaCall& call, OffsetOf offsetOf);

    // From the component's before-change notice, while offsets are still
    // valid. True when the log was empty: the changes are then due to be told.
    bool Record(int type, std::string_view text, Position position, Position length);
    // The changes so far, oldest first; the log is empty afterwards.
    std::vector<TextChange> Take();

private:
    void ReadInsertedText();

    const ScintillaCall& m_call;
    OffsetOf m_offsetOf;
    std::vector<TextChange> m_changes;
    Position m_unreadStart = 0;  // the last insertion, made but not yet read
    Position m_unreadEnd = 0;
};
