// TextChangeLog: an editing component's insertions and removals in character offsets, kept until a screen reader is told.
#include "editor/ui/text_change_log.h"

#include <algorithm>
#include <utility>

TextChangeLog::TextChangeLog(const ScintillaCall& call, OffsetOf offsetOf)
    : m_call(call), m_offsetOf(std::move(offsetOf)) {}

bool TextChangeLog::Record(int type, std::string_view text, Position position, Position length) {
    ReadInsertedText();
    if (type & ScintillaCall::kModBeforeInsert) {
        // This component tells of an insertion without its text: it is read
        // once made, at the next notice or when taken, before anything can move it.
        m_changes.push_back({true, m_offsetOf(position), QString::fromUtf8(text.data(), qsizetype(text.size()))});
        if (text.empty()) {
            m_unreadStart = position;
            m_unreadEnd = position + length;
        }
    } else if (type & ScintillaCall::kModBeforeDelete) {
        m_changes.push_back({false, m_offsetOf(position), QString::fromUtf8(m_call.GetTextRange(position, position + length))});
    } else {
        return false;
    }
    return m_changes.size() == 1;
}

std::vector<TextChange> TextChangeLog::Take() {
    ReadInsertedText();
    return std::exchange(m_changes, {});
}

void TextChangeLog::ReadInsertedText() {
    const Position end = std::min(m_unreadEnd, Position(m_call.Length()));
    if (end > m_unreadStart && !m_changes.empty())
        m_changes.back().text = QString::fromUtf8(m_call.GetTextRange(m_unreadStart, end));
    m_unreadStart = m_unreadEnd = 0;
}
