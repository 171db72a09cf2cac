// Accessibility of the views' editing components: their text, caret and selection for screen readers.
#include "editor/ui/editor_accessibility.h"

#include "editor/ui/nsis_text_view.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/text_change_log.h"

#include <QAccessibleWidget>
#include <string_view>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Position = ScintillaCall::Position;

// A stretch of the text in the component's byte positions.
struct ByteRange {
    Position start = 0;
    Position end = 0;
};

// Offsets are UTF-16 code units, as Qt counts; the component counts bytes.
class EditorAccessible : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
public:
    explicit EditorAccessible(ScintillaCall& call)
        : QAccessibleWidget(call.Widget(), QAccessible::EditableText), m_call(call), m_editor(call.Widget()) {
        m_connections[0] = QObject::connect(
            &call, &ScintillaCall::Modified, m_editor,
            [this](int type, std::string_view text, Position position, Position length) {
                OnModifying(position, type, text, length);
            });
        m_connections[1] = QObject::connect(&call, &ScintillaCall::UpdatedUi, m_editor, [this](int updated) {
            if (updated & ScintillaCall::kUpdateSelection)
                AnnounceCaret();
        });
    }

    // The index stays with the document, which dies with the component.
    ~EditorAccessible() override {
        for (const QMetaObject::Connection& connection : m_connections)
            QObject::disconnect(connection);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiLine = true;
        state.selectableText = true;
        state.readOnly = m_call.ReadOnly();
        state.editable = !state.readOnly;
        return state;
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || selectionCount() == 0)
            return;
        *startOffset = OffsetOf(m_call.SelectionStart());
        *endOffset = OffsetOf(m_call.SelectionEnd());
    }
    int selectionCount() const override {
        return m_call.SelectionStart() != m_call.SelectionEnd() ? 1 : 0;
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { m_call.SetEmptySelection(m_call.CurrentPos()); }
    void setSelection(int, int startOffset, int endOffset) override {
        m_call.SetSel(PositionOf(startOffset), PositionOf(endOffset));
    }

    int cursorPosition() const override { return OffsetOf(m_call.CurrentPos()); }
    void setCursorPosition(int position) override { m_call.GotoPos(PositionOf(position)); }

    QString text(int startOffset, int endOffset) const override {
        return Text({PositionOf(startOffset), PositionOf(endOffset)});
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        const ByteRange unit = UnitAt(PositionOf(offset), boundary);
        const ByteRange before = unit.start > 0 ? UnitAt(m_call.PositionBefore(unit.start), boundary)
                                                : ByteRange{};
        return Report(before, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        const ByteRange unit = UnitAt(PositionOf(offset), boundary);
        const Position length = m_call.Length();
        const ByteRange after = unit.end < length ? UnitAt(unit.end, boundary) : ByteRange{length, length};
        return Report(after, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        return Report(UnitAt(PositionOf(offset), boundary), startOffset, endOffset);
    }
    int characterCount() const override { return OffsetOf(m_call.Length()); }

    QRect characterRect(int offset) const override {
        const Position position = PositionOf(offset);
        const int x = m_call.PointXFromPosition(position);
        const int y = m_call.PointYFromPosition(position);
        const Position next = m_call.PositionAfter(position);
        const int width = m_call.PointYFromPosition(next) == y ? std::max(1, m_call.PointXFromPosition(next) - x) : 1;
        const int height = m_call.TextHeight(m_call.LineFromPosition(position));
        const QPoint topLeft = m_editor->viewport()->mapToGlobal(QPoint(x, y));
        return QRect(topLeft, QSize(width, height));
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = m_editor->viewport()->mapFromGlobal(point);
        const Position position = m_call.CharPositionFromPointClose(local.x(), local.y());
        return position < 0 ? -1 : OffsetOf(position);
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        m_call.ScrollRange(PositionOf(endIndex), PositionOf(startIndex));
    }
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // The component refuses these itself while the document is read-only.
    void deleteText(int startOffset, int endOffset) override {
        const Position start = PositionOf(startOffset);
        m_call.DeleteRange(start, PositionOf(endOffset) - start);
    }
    void insertText(int offset, const QString& text) override {
        m_call.InsertText(PositionOf(offset), text.toUtf8());
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        m_call.SetTargetStart(PositionOf(startOffset));
        m_call.SetTargetEnd(PositionOf(endOffset));
        m_call.ReplaceTarget(text.toUtf8());
    }

private:
    // The index is built once per document, on the first question of a reader.
    void EnsureIndex() const {
        if (!(m_call.LineCharacterIndex() & ScintillaCall::kLineCharacterIndexUtf16))
            m_call.AllocateLineCharacterIndex(ScintillaCall::kLineCharacterIndexUtf16);
    }

    // The line's start from the index plus a count within that one line.
    int OffsetOf(Position position) const {
        EnsureIndex();
        const ScintillaCall::Line line = m_call.LineFromPosition(position);
        return int(m_call.IndexPositionFromLine(line, ScintillaCall::kLineCharacterIndexUtf16)
                   + m_call.CountCodeUnits(m_call.PositionFromLine(line), position));
    }

    Position PositionOf(int offset) const {
        EnsureIndex();
        offset = std::max(offset, 0);
        const ScintillaCall::Line line = m_call.LineFromIndexPosition(offset, ScintillaCall::kLineCharacterIndexUtf16);
        const Position within = offset - m_call.IndexPositionFromLine(line, ScintillaCall::kLineCharacterIndexUtf16);
        const Position lineStart = m_call.PositionFromLine(line);
        if (within <= 0)
            return lineStart;
        const Position position = m_call.PositionRelativeCodeUnits(lineStart, within);
        // Past the end the component answers 0.
        return position > 0 ? position : m_call.Length();
    }

    QString Text(ByteRange range) const {
        if (range.end <= range.start)
            return {};
        return QString::fromUtf8(m_call.GetTextRange(range.start, range.end));
    }

    QString Report(ByteRange range, int* startOffset, int* endOffset) const {
        *startOffset = OffsetOf(range.start);
        *endOffset = OffsetOf(range.end);
        return Text(range);
    }

    // The character, word or line holding the character at position. A
    // "word" is a run of one character class: word characters, spaces or
    // punctuation, so every character belongs to one.
    ByteRange UnitAt(Position position, QAccessible::TextBoundaryType boundary) const {
        const Position length = m_call.Length();
        switch (boundary) {
        case QAccessible::CharBoundary:
            return {position, position < length ? m_call.PositionAfter(position) : length};
        case QAccessible::WordBoundary:
            if (position >= length)
                return {length, length};
            return {m_call.WordStartPosition(m_call.PositionAfter(position), false),
                    m_call.WordEndPosition(position, false)};
        case QAccessible::SentenceBoundary:
        case QAccessible::ParagraphBoundary:
        case QAccessible::LineBoundary: {
            const ScintillaCall::Line line = m_call.LineFromPosition(position);
            return {m_call.PositionFromLine(line), m_call.PositionFromLine(line + 1)};
        }
        case QAccessible::NoBoundary:
            break;
        }
        return {0, length};
    }

    // Offsets are taken before the change, when they are still valid; the
    // events go out once the change is done, so a reader sees the new text.
    void OnModifying(Position position, int type, std::string_view text, Position length) {
        if (QAccessible::isActive() && m_changes.Record(type, text, position, length))
            QMetaObject::invokeMethod(m_editor, [this] { AnnounceChanges(); }, Qt::QueuedConnection);
    }

    void AnnounceChanges() {
        for (const TextChange& change : m_changes.Take()) {
            if (change.inserted) {
                QAccessibleTextInsertEvent event(m_editor, change.offset, change.text);
                QAccessible::updateAccessibility(&event);
            } else {
                QAccessibleTextRemoveEvent event(m_editor, change.offset, change.text);
                QAccessible::updateAccessibility(&event);
            }
        }
    }

    void AnnounceCaret() {
        if (!QAccessible::isActive())
            return;
        if (selectionCount() > 0) {
            int start = 0;
            int end = 0;
            selection(0, &start, &end);
            QAccessibleTextSelectionEvent event(m_editor, start, end);
            event.setCursorPosition(cursorPosition());
            QAccessible::updateAccessibility(&event);
        } else {
            QAccessibleTextCursorEvent event(m_editor, cursorPosition());
            QAccessible::updateAccessibility(&event);
        }
    }

    ScintillaCall& m_call;
    QAbstractScrollArea* m_editor;
    TextChangeLog m_changes{m_call, [this](Position position) { return OffsetOf(position); }};
    QMetaObject::Connection m_connections[2];
};

QAccessibleInterface* EditorInterface(const QString& className, QObject* object) {
    auto* view = object ? qobject_cast<CNsisTextView*>(object->parent()) : nullptr;
    if (className != QLatin1StringView("QsciScintillaBase") || !view || view->Call().Widget() != object)
        return nullptr;
    return new EditorAccessible(view->Call());
}

}  // namespace

void UseEditorAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(EditorInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
