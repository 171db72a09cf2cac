// Accessibility of the views' editing components: their text, caret and selection for screen readers.
#include "editor/ui/editor_accessibility.h"

#include "editor/ui/nsis_text_view.h"
#include "editor/ui/qsci_base.h"

#include <QAccessibleWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Sci = QsciScintillaBase;

// A stretch of the text in the component's byte positions.
struct ByteRange {
    long start = 0;
    long end = 0;
};

// Offsets are UTF-16 code units, as Qt counts; the component counts bytes.
class EditorAccessible : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
public:
    explicit EditorAccessible(Sci* editor) : QAccessibleWidget(editor, QAccessible::EditableText), m_editor(editor) {
        m_connections[0] = QObject::connect(
            editor, &Sci::SCN_MODIFIED, editor,
            [this](int position, int type, const char* text, int length, int, int, int, int, int, int) {
                OnModifying(position, type, text, length);
            });
        m_connections[1] = QObject::connect(editor, &Sci::SCN_UPDATEUI, editor, [this](int updated) {
            if (updated & Sci::SC_UPDATE_SELECTION)
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
        state.readOnly = Send(Sci::SCI_GETREADONLY) != 0;
        state.editable = !state.readOnly;
        return state;
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || selectionCount() == 0)
            return;
        *startOffset = OffsetOf(Send(Sci::SCI_GETSELECTIONSTART));
        *endOffset = OffsetOf(Send(Sci::SCI_GETSELECTIONEND));
    }
    int selectionCount() const override {
        return Send(Sci::SCI_GETSELECTIONSTART) != Send(Sci::SCI_GETSELECTIONEND) ? 1 : 0;
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { Send(Sci::SCI_SETEMPTYSELECTION, Send(Sci::SCI_GETCURRENTPOS)); }
    void setSelection(int, int startOffset, int endOffset) override {
        Send(Sci::SCI_SETSEL, PositionOf(startOffset), PositionOf(endOffset));
    }

    int cursorPosition() const override { return OffsetOf(Send(Sci::SCI_GETCURRENTPOS)); }
    void setCursorPosition(int position) override { Send(Sci::SCI_GOTOPOS, PositionOf(position)); }

    QString text(int startOffset, int endOffset) const override {
        return Text({PositionOf(startOffset), PositionOf(endOffset)});
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        const ByteRange unit = UnitAt(PositionOf(offset), boundary);
        const ByteRange before = unit.start > 0 ? UnitAt(Send(Sci::SCI_POSITIONBEFORE, unit.start), boundary)
                                                : ByteRange{};
        return Report(before, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        const ByteRange unit = UnitAt(PositionOf(offset), boundary);
        const long length = Send(Sci::SCI_GETLENGTH);
        const ByteRange after = unit.end < length ? UnitAt(unit.end, boundary) : ByteRange{length, length};
        return Report(after, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        return Report(UnitAt(PositionOf(offset), boundary), startOffset, endOffset);
    }
    int characterCount() const override { return OffsetOf(Send(Sci::SCI_GETLENGTH)); }

    QRect characterRect(int offset) const override {
        const long position = PositionOf(offset);
        const long x = Send(Sci::SCI_POINTXFROMPOSITION, 0, position);
        const long y = Send(Sci::SCI_POINTYFROMPOSITION, 0, position);
        const long next = Send(Sci::SCI_POSITIONAFTER, position);
        const long nextX = Send(Sci::SCI_POINTXFROMPOSITION, 0, next);
        const long width = Send(Sci::SCI_POINTYFROMPOSITION, 0, next) == y ? std::max(1L, nextX - x) : 1L;
        const long height = Send(Sci::SCI_TEXTHEIGHT, Send(Sci::SCI_LINEFROMPOSITION, position));
        const QPoint topLeft = m_editor->viewport()->mapToGlobal(QPoint(int(x), int(y)));
        return QRect(topLeft, QSize(int(width), int(height)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = m_editor->viewport()->mapFromGlobal(point);
        const long position = Send(Sci::SCI_CHARPOSITIONFROMPOINTCLOSE, local.x(), local.y());
        return position < 0 ? -1 : OffsetOf(position);
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        Send(Sci::SCI_SCROLLRANGE, PositionOf(endIndex), PositionOf(startIndex));
    }
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // The component refuses these itself while the document is read-only.
    void deleteText(int startOffset, int endOffset) override {
        const long start = PositionOf(startOffset);
        Send(Sci::SCI_DELETERANGE, start, PositionOf(endOffset) - start);
    }
    void insertText(int offset, const QString& text) override {
        m_editor->SendScintilla(Sci::SCI_INSERTTEXT, static_cast<uintptr_t>(PositionOf(offset)),
                                text.toUtf8().constData());
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        const QByteArray utf8 = text.toUtf8();
        Send(Sci::SCI_SETTARGETRANGE, PositionOf(startOffset), PositionOf(endOffset));
        m_editor->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<uintptr_t>(utf8.size()), utf8.constData());
    }

private:
    // A change still to be announced: the component tells of it before it happens.
    struct PendingChange {
        bool inserted = false;
        int offset = 0;
        QString text;
    };

    long Send(unsigned int message, long wParam = 0, long lParam = 0) const {
        return m_editor->SendScintilla(message, static_cast<unsigned long>(wParam), lParam);
    }

    // The index is built once per document, on the first question of a reader.
    void EnsureIndex() const {
        if (!(Send(Sci::SCI_GETLINECHARACTERINDEX) & Sci::SC_LINECHARACTERINDEX_UTF16))
            Send(Sci::SCI_ALLOCATELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF16);
    }

    // The line's start from the index plus a count within that one line.
    int OffsetOf(long position) const {
        EnsureIndex();
        const long line = Send(Sci::SCI_LINEFROMPOSITION, position);
        const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
        return int(Send(Sci::SCI_INDEXPOSITIONFROMLINE, line, Sci::SC_LINECHARACTERINDEX_UTF16)
                   + Send(Sci::SCI_COUNTCODEUNITS, lineStart, position));
    }

    long PositionOf(int offset) const {
        EnsureIndex();
        offset = std::max(offset, 0);
        const long line = Send(Sci::SCI_LINEFROMINDEXPOSITION, offset, Sci::SC_LINECHARACTERINDEX_UTF16);
        const long within = offset - Send(Sci::SCI_INDEXPOSITIONFROMLINE, line, Sci::SC_LINECHARACTERINDEX_UTF16);
        const long lineStart = Send(Sci::SCI_POSITIONFROMLINE, line);
        if (within <= 0)
            return lineStart;
        const long position = Send(Sci::SCI_POSITIONRELATIVECODEUNITS, lineStart, within);
        // Past the end the component answers 0.
        return position > 0 ? position : Send(Sci::SCI_GETLENGTH);
    }

    QString Text(ByteRange range) const {
        if (range.end <= range.start)
            return {};
        QByteArray bytes(range.end - range.start + 1, '\0');
        m_editor->SendScintilla(Sci::SCI_GETTEXTRANGE, range.start, range.end, bytes.data());
        bytes.chop(1);
        return QString::fromUtf8(bytes);
    }

    QString Report(ByteRange range, int* startOffset, int* endOffset) const {
        *startOffset = OffsetOf(range.start);
        *endOffset = OffsetOf(range.end);
        return Text(range);
    }

    // The character, word or line holding the character at position. A
    // "word" is a run of one character class: word characters, spaces or
    // punctuation, so every character belongs to one.
    ByteRange UnitAt(long position, QAccessible::TextBoundaryType boundary) const {
        const long length = Send(Sci::SCI_GETLENGTH);
        switch (boundary) {
        case QAccessible::CharBoundary:
            return {position, position < length ? Send(Sci::SCI_POSITIONAFTER, position) : length};
        case QAccessible::WordBoundary:
            if (position >= length)
                return {length, length};
            return {Send(Sci::SCI_WORDSTARTPOSITION, Send(Sci::SCI_POSITIONAFTER, position), 0),
                    Send(Sci::SCI_WORDENDPOSITION, position, 0)};
        case QAccessible::SentenceBoundary:
        case QAccessible::ParagraphBoundary:
        case QAccessible::LineBoundary: {
            const long line = Send(Sci::SCI_LINEFROMPOSITION, position);
            return {Send(Sci::SCI_POSITIONFROMLINE, line), Send(Sci::SCI_POSITIONFROMLINE, line + 1)};
        }
        case QAccessible::NoBoundary:
            break;
        }
        return {0, length};
    }

    // Offsets are taken before the change, when they are still valid; the
    // events go out once the change is done, so a reader sees the new text.
    void OnModifying(long position, int type, const char* text, long length) {
        if (!QAccessible::isActive())
            return;
        if (type & Sci::SC_MOD_BEFOREINSERT)
            m_pending.push_back({true, OffsetOf(position), QString::fromUtf8(text, length)});
        else if (type & Sci::SC_MOD_BEFOREDELETE)
            m_pending.push_back({false, OffsetOf(position), Text({position, position + length})});
        else
            return;
        if (m_pending.size() == 1)
            QMetaObject::invokeMethod(m_editor, [this] { AnnounceChanges(); }, Qt::QueuedConnection);
    }

    void AnnounceChanges() {
        for (const PendingChange& change : std::exchange(m_pending, {})) {
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

    Sci* m_editor;
    std::vector<PendingChange> m_pending;
    QMetaObject::Connection m_connections[2];
};

QAccessibleInterface* EditorInterface(const QString& className, QObject* object) {
    auto* editor = qobject_cast<Sci*>(object);
    if (className != QLatin1StringView("QsciScintillaBase") || !editor
        || !qobject_cast<CNsisTextView*>(editor->parent()))
        return nullptr;
    return new EditorAccessible(editor);
}

}  // namespace

void UseEditorAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(EditorInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
