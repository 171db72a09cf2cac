// ScintillaCall: the one typed door to an editing component, a method per message the program uses.
#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QObject>
#include <cstddef>
#include <memory>
#include <string_view>

class QsciScintillaBase;
class NsisStyler;

// Named after the component's messages as Scintilla's own ScintillaCall does
// (SCI_GETLENGTH is Length, SCI_GOTOLINE is GotoLine); positions are bytes of
// UTF-8, lines count from 0. Notifications come as the signals below.
// Scintilla's ILoader, which the installed headers do not declare; the
// component's documents implement it. The loader holds one reference to its
// document. Only pointers from CreateLoader exist.
class ScintillaLoader {
public:
    ScintillaLoader() = delete;
    // Gives up the loader's reference; the document goes with the last one.
    int Release();
    // Appends to the text; 0, or the component's failure status.
    int AddData(const char* data, std::ptrdiff_t length);
    // The document for SetDocPointer, still holding the loader's reference.
    void* ConvertToDocument();
};

class ScintillaCall : public QObject {
    Q_OBJECT
public:
    // As Scintilla's own Sci::Position and Sci::Line.
    using Position = std::ptrdiff_t;
    using Line = std::ptrdiff_t;
    using Colour = int;  // 0xBBGGRR

    enum class MarkerSymbol {
        Circle = 0,
        ShortArrow = 4,
        VLine = 9,
        LCorner = 10,
        TCorner = 11,
        BoxPlus = 12,
        BoxPlusConnected = 13,
        BoxMinus = 14,
        BoxMinusConnected = 15,
    };
    enum class IndentView { None = 0, LookBoth = 3 };
    enum class IndicatorStyle { Squiggle = 1 };
    static constexpr int kMarkNumFolderEnd = 25;
    static constexpr int kMarkNumFolderOpenMid = 26;
    static constexpr int kMarkNumFolderMidTail = 27;
    static constexpr int kMarkNumFolderTail = 28;
    static constexpr int kMarkNumFolderSub = 29;
    static constexpr int kMarkNumFolder = 30;
    static constexpr int kMarkNumFolderOpen = 31;
    static constexpr int kMaskFolders = int(0xFE000000);
    static constexpr int kFoldLevelBase = 0x400;
    static constexpr int kFoldLevelHeaderFlag = 0x2000;
    static constexpr int kFoldFlagLineAfterContracted = 0x10;
    static constexpr int kModInsertText = 0x1;
    static constexpr int kModDeleteText = 0x2;
    static constexpr int kModBeforeInsert = 0x400;
    static constexpr int kModBeforeDelete = 0x800;
    static constexpr int kPerformedUndo = 0x20;
    static constexpr int kPerformedRedo = 0x40;
    static constexpr int kFindWholeWord = 0x2;
    static constexpr int kFindMatchCase = 0x4;
    static constexpr int kKeyBack = 8;
    static constexpr int kKeyEscape = 7;
    static constexpr int kKeyDelete = 308;
    static constexpr int kKeyInsert = 309;
    static constexpr int kKeyModShift = 1;
    static constexpr int kKeyModCtrl = 2;
    static constexpr int kKeyModAlt = 4;
    static constexpr int kCodePageUtf8 = 65001;
    static constexpr int kLexerContainer = 0;
    static constexpr int kLexerNsis = 43;
    static constexpr int kStyleDefault = 32;
    static constexpr int kStyleLineNumber = 33;
    static constexpr int kStyleCallTip = 38;
    static constexpr int kLineCharacterIndexUtf32 = 1;
    static constexpr int kLineCharacterIndexUtf16 = 2;
    static constexpr int kUpdateSelection = 0x2;
    static constexpr int kOrderCustom = 2;
    static constexpr int kPopUpNever = 0;
    static constexpr int kEolCrLf = 0;
    static constexpr int kEolLf = 2;

    // A new component, a child widget of parent; this object owns it and ends it.
    explicit ScintillaCall(QWidget* parent = nullptr);
    ~ScintillaCall() override;

    // The component as a widget: focus, keys, viewport, scroll bars.
    QAbstractScrollArea* Widget() const;

    // Text
    Position Length() const;
    Line LineCount() const;
    QByteArray GetText() const;
    // The component's own buffer, valid until the next change: no copy.
    std::string_view CharacterPointer() const;
    // A line with its line end.
    QByteArray GetLine(Line line) const;
    QByteArray GetTextRange(Position start, Position end) const;
    void SetText(const QByteArray& text);
    void AddText(const QByteArray& text);
    void AppendText(const QByteArray& text);
    void InsertText(Position pos, const QByteArray& text);
    void DeleteRange(Position start, Position lengthDelete);
    void ReplaceSel(const QByteArray& text);
    void ClearAll();
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const;
    void SetCodePage(int codePage);
    int CodePage() const;
    void SetEOLMode(int eolMode);
    int EOLMode() const;
    void ConvertEOLs(int eolMode);
    void SetPasteConvertEndings(bool convert);

    // Caret and selection
    Position CurrentPos() const;
    Position SelectionStart() const;
    Position SelectionEnd() const;
    void SetSel(Position anchor, Position caret);
    void SetEmptySelection(Position caret);
    void GotoPos(Position caret);
    void GotoLine(Line line);
    void SelectAll();
    void DocumentEnd();
    void CharRight();
    void ChooseCaretX();
    Position Column(Position pos) const;
    bool Overtype() const;
    void SetOvertype(bool overType);
    void Cancel();

    // Lines and characters
    Line LineFromPosition(Position pos) const;
    Position PositionFromLine(Line line) const;
    Position LineEndPosition(Line line) const;
    Position LineIndentPosition(Line line) const;
    Position LineLength(Line line) const;
    void AllocateLineCharacterIndex(int lineCharacterIndex);
    int LineCharacterIndex() const;
    Position IndexPositionFromLine(Line line, int lineCharacterIndex) const;
    Line LineFromIndexPosition(Position pos, int lineCharacterIndex) const;
    Position CountCharacters(Position start, Position end) const;
    Position CountCodeUnits(Position start, Position end) const;
    Position PositionRelativeCodeUnits(Position pos, Position relative) const;
    Position PositionBefore(Position pos) const;
    Position PositionAfter(Position pos) const;
    Position WordStartPosition(Position pos, bool onlyWordCharacters) const;
    Position WordEndPosition(Position pos, bool onlyWordCharacters) const;
    // The character nearest the point, or -1 when none is close.
    Position CharPositionFromPointClose(int x, int y) const;
    void ScrollRange(Position secondary, Position primary);

    // Scrolling and geometry
    Line FirstVisibleLine() const;
    void SetFirstVisibleLine(Line displayLine);
    Line LinesOnScreen() const;
    Line DocLineFromVisible(Line displayLine) const;
    void LineScroll(Position columns, Line lines);
    Position PositionFromPoint(int x, int y) const;
    int PointXFromPosition(Position pos) const;
    int PointYFromPosition(Position pos) const;
    int TextHeight(Line line) const;
    int TextWidth(int style, const QByteArray& text) const;
    void SetZoom(int zoomInPoints);
    void SetVScrollBar(bool visible);
    void SetHScrollBar(bool visible);
    bool HScrollBar() const;
    void SetScrollWidth(int pixelWidth);
    void SetScrollWidthTracking(bool tracking);

    // Look
    void SetTabWidth(int tabWidth);
    int TabWidth() const;
    void SetUseTabs(bool useTabs);
    bool UseTabs() const;
    void SetIndentationGuides(IndentView indentView);
    void SetCaretLineVisible(bool show);
    bool CaretLineVisible() const;
    void SetCaretLineBack(Colour back);
    Colour CaretLineBack() const;
    void SetCaretLineVisibleAlways(bool alwaysVisible);
    void SetSelBack(bool useSetting, Colour back);
    void UsePopUp(int popUpMode);
    void SetMouseDwellTime(int periodMilliseconds);
    int MouseDwellTime() const;

    // Margins and folding
    void SetMarginWidthN(int margin, int pixelWidth);
    int MarginWidthN(int margin) const;
    void SetMarginMaskN(int margin, int mask);
    void SetMarginSensitiveN(int margin, bool sensitive);
    void SetFoldFlags(int flags);
    void ToggleFold(Line line);
    int FoldLevel(Line line) const;
    bool FoldExpanded(Line line) const;
    bool LineVisible(Line line) const;

    // Styles and lexing
    void StyleSetFore(int style, Colour fore);
    void StyleSetBack(int style, Colour back);
    void StyleSetFont(int style, const QByteArray& fontName);
    void StyleSetBold(int style, bool bold);
    void StyleSetItalic(int style, bool italic);
    void StyleSetUnderline(int style, bool underline);
    void StyleSetSize(int style, int sizePoints);
    Colour StyleGetFore(int style) const;
    Colour StyleGetBack(int style) const;
    bool StyleGetBold(int style) const;
    bool StyleGetItalic(int style) const;
    int StyleGetSize(int style) const;
    QByteArray StyleGetFont(int style) const;
    int StyleAt(Position pos) const;
    // Where the styled text ends: everything after it is to be styled.
    Position EndStyled() const;
    void Colourise(Position start, Position end);
    int Lexer() const;
    // The component's built-in lexers, which only the benchmarks compare against.
    void SetLexer(int lexer);
    void SetKeyWords(int keyWordSet, const QByteArray& keyWords);
    void SetProperty(const QByteArray& key, const QByteArray& value);

    // Undo, save point, clipboard
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    void BeginUndoAction();
    void EndUndoAction();
    void EmptyUndoBuffer();
    void SetUndoCollection(bool collectUndo);
    void SetSavePoint();
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    bool CanPaste() const;

    // Searching on the target, which leaves the selection alone
    void SetSearchFlags(int searchFlags);
    void SetTargetStart(Position start);
    void SetTargetEnd(Position end);
    Position TargetEnd() const;
    // The match's start, or -1.
    Position SearchInTarget(const QByteArray& text);
    Position ReplaceTarget(const QByteArray& text);
    void SetModEventMask(int eventMask);
    int ModEventMask() const;

    // Markers and indicators
    void MarkerDefine(int markerNumber, MarkerSymbol markerSymbol);
    void MarkerSetFore(int markerNumber, Colour fore);
    void MarkerSetBack(int markerNumber, Colour back);
    void MarkerSetBackSelected(int markerNumber, Colour back);
    int MarkerAdd(Line line, int markerNumber);
    void MarkerDeleteAll(int markerNumber);
    Line MarkerLineFromHandle(int markerHandle) const;
    void IndicSetStyle(int indicator, IndicatorStyle indicatorStyle);
    void IndicSetFore(int indicator, Colour fore);
    void SetIndicatorCurrent(int indicator);
    void IndicatorFillRange(Position start, Position lengthFill);
    void IndicatorClearRange(Position start, Position lengthClear);
    int IndicatorValueAt(int indicator, Position pos) const;

    // Call tips and completion lists
    void CallTipShow(Position pos, const QByteArray& definition);
    void CallTipCancel();
    bool CallTipActive() const;
    Position CallTipPosStart() const;
    void CallTipSetBack(Colour back);
    // Shows the tip's bytes [highlightStart, highlightEnd) highlighted.
    void CallTipSetHlt(Position highlightStart, Position highlightEnd);
    void CallTipUseStyle(int tabSize);
    void AutoCShow(Position lengthEntered, const QByteArray& itemList);
    void AutoCCancel();
    bool AutoCActive() const;
    void AutoCSetOrder(int order);
    void AutoCSetIgnoreCase(bool ignoreCase);
    void AutoCSetMaxHeight(int rowCount);
    int AutoCGetMaxHeight() const;
    QByteArray AutoCGetCurrentText() const;

    // Keys: key | modifiers << 16, as the component's key definitions.
    void ClearCmdKey(int keyDefinition);

    // The document, counted by the component: sharing it between components
    // keeps it alive while any of them shows it. Null makes a fresh one.
    void* DocPointer() const;
    void SetDocPointer(void* doc);
    // Drops one reference taken by CreateLoader's document.
    void ReleaseDocument(void* doc);
    // A new document of about bytes, filled through the loader on any
    // thread, then shown with SetDocPointer. Null when it cannot be had.
    ScintillaLoader* CreateLoader(Position bytes);

Q_SIGNALS:
    void Painted();
    void Zoomed();
    void CharAdded(int character);
    void DwellStarted(Position position);
    void DwellEnded();
    void SavePointReached();
    void SavePointLeft();
    // updated: what changed (kUpdateSelection, ...).
    void UpdatedUi(int updated);
    // text: what is inserted or deleted, for the kinds that carry it; position and length in bytes.
    void Modified(int modificationType, std::string_view text, Position position, Position length);
    void MarginClicked(Position position, int margin);
    void DoubleClicked(Position position, Line line);
    // The list's selected item changed to text, the word starting at position.
    void AutoCSelectionChanged(const QByteArray& text, Position position);
    void AutoCSelected();
    void AutoCCompleted();
    void AutoCCancelled();
    void FocusOut();

private:
    // The styler answers the component's styling requests itself.
    friend class NsisStyler;
    QsciScintillaBase& Component() const { return *m_editor; }

    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    QByteArray StringResult(unsigned int message, unsigned long wParam = 0) const;

    std::unique_ptr<QsciScintillaBase> m_editor;
};
