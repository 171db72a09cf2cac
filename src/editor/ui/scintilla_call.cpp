// ScintillaCall: the one typed door to an editing component, a method per message the program uses.
#include "editor/ui/scintilla_call.h"

#include "editor/ui/qsci_base.h"

#include <algorithm>
#include <cstring>

namespace {

using Sci = QsciScintillaBase;

static_assert(int(ScintillaCall::MarkerSymbol::Circle) == Sci::SC_MARK_CIRCLE);
static_assert(int(ScintillaCall::MarkerSymbol::ShortArrow) == Sci::SC_MARK_SHORTARROW);
static_assert(int(ScintillaCall::MarkerSymbol::VLine) == Sci::SC_MARK_VLINE);
static_assert(int(ScintillaCall::MarkerSymbol::LCorner) == Sci::SC_MARK_LCORNER);
static_assert(int(ScintillaCall::MarkerSymbol::TCorner) == Sci::SC_MARK_TCORNER);
static_assert(int(ScintillaCall::MarkerSymbol::BoxPlus) == Sci::SC_MARK_BOXPLUS);
static_assert(int(ScintillaCall::MarkerSymbol::BoxPlusConnected) == Sci::SC_MARK_BOXPLUSCONNECTED);
static_assert(int(ScintillaCall::MarkerSymbol::BoxMinus) == Sci::SC_MARK_BOXMINUS);
static_assert(int(ScintillaCall::MarkerSymbol::BoxMinusConnected) == Sci::SC_MARK_BOXMINUSCONNECTED);
static_assert(int(ScintillaCall::IndentView::None) == Sci::SC_IV_NONE);
static_assert(int(ScintillaCall::IndentView::LookBoth) == Sci::SC_IV_LOOKBOTH);
static_assert(int(ScintillaCall::IndicatorStyle::Squiggle) == Sci::INDIC_SQUIGGLE);
static_assert(ScintillaCall::kMarkNumFolderEnd == Sci::SC_MARKNUM_FOLDEREND);
static_assert(ScintillaCall::kMarkNumFolderOpenMid == Sci::SC_MARKNUM_FOLDEROPENMID);
static_assert(ScintillaCall::kMarkNumFolderMidTail == Sci::SC_MARKNUM_FOLDERMIDTAIL);
static_assert(ScintillaCall::kMarkNumFolderTail == Sci::SC_MARKNUM_FOLDERTAIL);
static_assert(ScintillaCall::kMarkNumFolderSub == Sci::SC_MARKNUM_FOLDERSUB);
static_assert(ScintillaCall::kMarkNumFolder == Sci::SC_MARKNUM_FOLDER);
static_assert(ScintillaCall::kMarkNumFolderOpen == Sci::SC_MARKNUM_FOLDEROPEN);
static_assert(unsigned(ScintillaCall::kMaskFolders) == unsigned(Sci::SC_MASK_FOLDERS));
static_assert(ScintillaCall::kFoldLevelBase == Sci::SC_FOLDLEVELBASE);
static_assert(ScintillaCall::kFoldLevelHeaderFlag == Sci::SC_FOLDLEVELHEADERFLAG);
static_assert(ScintillaCall::kFoldFlagLineAfterContracted == Sci::SC_FOLDFLAG_LINEAFTER_CONTRACTED);
static_assert(ScintillaCall::kModInsertText == Sci::SC_MOD_INSERTTEXT);
static_assert(ScintillaCall::kModDeleteText == Sci::SC_MOD_DELETETEXT);
static_assert(ScintillaCall::kModBeforeInsert == Sci::SC_MOD_BEFOREINSERT);
static_assert(ScintillaCall::kModBeforeDelete == Sci::SC_MOD_BEFOREDELETE);
static_assert(ScintillaCall::kFindWholeWord == Sci::SCFIND_WHOLEWORD);
static_assert(ScintillaCall::kFindMatchCase == Sci::SCFIND_MATCHCASE);
static_assert(ScintillaCall::kKeyBack == Sci::SCK_BACK);
static_assert(ScintillaCall::kKeyEscape == Sci::SCK_ESCAPE);
static_assert(ScintillaCall::kKeyDelete == Sci::SCK_DELETE);
static_assert(ScintillaCall::kKeyInsert == Sci::SCK_INSERT);
static_assert(ScintillaCall::kKeyModShift == Sci::SCMOD_SHIFT);
static_assert(ScintillaCall::kKeyModCtrl == Sci::SCMOD_CTRL);
static_assert(ScintillaCall::kKeyModAlt == Sci::SCMOD_ALT);
static_assert(ScintillaCall::kCodePageUtf8 == Sci::SC_CP_UTF8);
static_assert(ScintillaCall::kLexerContainer == Sci::SCLEX_CONTAINER);
static_assert(ScintillaCall::kLexerNsis == Sci::SCLEX_NSIS);
static_assert(ScintillaCall::kStyleDefault == Sci::STYLE_DEFAULT);
static_assert(ScintillaCall::kStyleLineNumber == Sci::STYLE_LINENUMBER);
static_assert(ScintillaCall::kStyleCallTip == Sci::STYLE_CALLTIP);
static_assert(ScintillaCall::kLineCharacterIndexUtf32 == Sci::SC_LINECHARACTERINDEX_UTF32);
static_assert(ScintillaCall::kLineCharacterIndexUtf16 == Sci::SC_LINECHARACTERINDEX_UTF16);
static_assert(ScintillaCall::kUpdateSelection == Sci::SC_UPDATE_SELECTION);
static_assert(ScintillaCall::kOrderCustom == Sci::SC_ORDER_CUSTOM);
static_assert(ScintillaCall::kPopUpNever == Sci::SC_POPUP_NEVER);
static_assert(ScintillaCall::kEolCrLf == Sci::SC_EOL_CRLF);
static_assert(ScintillaCall::kEolLf == Sci::SC_EOL_LF);

}  // namespace

ScintillaCall::ScintillaCall(QWidget* parent) : m_editor(std::make_unique<QsciScintillaBase>(parent)) {
    Sci* editor = m_editor.get();
    connect(editor, &Sci::SCN_PAINTED, this, &ScintillaCall::Painted);
    connect(editor, &Sci::SCN_ZOOM, this, &ScintillaCall::Zoomed);
    connect(editor, &Sci::SCN_CHARADDED, this, &ScintillaCall::CharAdded);
    connect(editor, &Sci::SCN_DWELLSTART, this, [this](int position, int, int) { Q_EMIT DwellStarted(position); });
    connect(editor, &Sci::SCN_DWELLEND, this, [this](int, int, int) { Q_EMIT DwellEnded(); });
    connect(editor, &Sci::SCN_SAVEPOINTREACHED, this, &ScintillaCall::SavePointReached);
    connect(editor, &Sci::SCN_SAVEPOINTLEFT, this, &ScintillaCall::SavePointLeft);
    connect(editor, &Sci::SCN_UPDATEUI, this, &ScintillaCall::UpdatedUi);
    connect(editor, &Sci::SCN_MODIFIED, this,
            [this](int position, int type, const char* text, int length, int, int, int, int, int, int) {
                Q_EMIT Modified(type, text ? std::string_view(text, size_t(std::max(length, 0))) : std::string_view(),
                                position, length);
            });
    connect(editor, &Sci::SCN_MARGINCLICK, this,
            [this](int position, int, int margin) { Q_EMIT MarginClicked(position, margin); });
    connect(editor, &Sci::SCN_DOUBLECLICK, this,
            [this](int position, int line, int) { Q_EMIT DoubleClicked(position, line); });
    connect(editor, &Sci::SCN_AUTOCSELECTIONCHANGE, this,
            [this](const char* text, int, int position) { Q_EMIT AutoCSelectionChanged(QByteArray(text), position); });
    connect(editor, qOverload<const char*, int, int, int>(&Sci::SCN_AUTOCSELECTION), this,
            [this](const char*, int, int, int) { Q_EMIT AutoCSelected(); });
    connect(editor, &Sci::SCN_AUTOCCOMPLETED, this, [this](const char*, int, int, int) { Q_EMIT AutoCCompleted(); });
    connect(editor, &Sci::SCN_AUTOCCANCELLED, this, &ScintillaCall::AutoCCancelled);
    connect(editor, &Sci::SCN_FOCUSOUT, this, &ScintillaCall::FocusOut);
}

// Nothing the component says while it goes reaches the listeners, which may be going too.
ScintillaCall::~ScintillaCall() { m_editor->disconnect(this); }

QAbstractScrollArea* ScintillaCall::Widget() const { return m_editor.get(); }

long ScintillaCall::Send(unsigned int message, unsigned long wParam, long lParam) const {
    return m_editor->SendScintilla(message, wParam, lParam);
}

// The component answers a null buffer with the length, then fills length + 1 bytes.
QByteArray ScintillaCall::StringResult(unsigned int message, unsigned long wParam) const {
    const long length = m_editor->SendScintilla(message, wParam, static_cast<void*>(nullptr));
    QByteArray text(length + 1, '\0');
    m_editor->SendScintilla(message, wParam, static_cast<void*>(text.data()));
    text.truncate(length);
    return text;
}

// Text

ScintillaCall::Position ScintillaCall::Length() const { return Send(Sci::SCI_GETLENGTH); }

ScintillaCall::Line ScintillaCall::LineCount() const { return Send(Sci::SCI_GETLINECOUNT); }

QByteArray ScintillaCall::GetText() const {
    // The component's own SCI_GETTEXT copies byte by byte (30 ms for 20 MB).
    // The runs either side of the buffer's gap are copied whole instead, and
    // the gap stays where the user edits.
    const Position length = Length();
    const Position gap = std::clamp<Position>(Send(Sci::SCI_GETGAPPOSITION), 0, length);
    QByteArray text(length, Qt::Uninitialized);
    const auto copyRun = [&](Position start, Position count) {
        if (count > 0)
            std::memcpy(text.data() + start, reinterpret_cast<const char*>(Send(Sci::SCI_GETRANGEPOINTER, start, count)),
                        std::size_t(count));
    };
    copyRun(0, gap);
    copyRun(gap, length - gap);
    return text;
}

std::string_view ScintillaCall::CharacterPointer() const {
    const Position length = Length();
    const auto* text = static_cast<const char*>(m_editor->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    return text ? std::string_view(text, std::size_t(length)) : std::string_view();
}

QByteArray ScintillaCall::GetLine(Line line) const {
    const Position length = LineLength(line);
    QByteArray text(length + 1, '\0');
    if (length > 0)
        m_editor->SendScintilla(Sci::SCI_GETLINE, static_cast<unsigned long>(line), static_cast<void*>(text.data()));
    text.truncate(length);
    return text;
}

QByteArray ScintillaCall::GetTextRange(Position start, Position end) const {
    if (end <= start)
        return {};
    QByteArray text(end - start + 1, '\0');
    m_editor->SendScintilla(Sci::SCI_GETTEXTRANGE, long(start), long(end), text.data());
    text.chop(1);
    return text;
}

void ScintillaCall::SetText(const QByteArray& text) { m_editor->SendScintilla(Sci::SCI_SETTEXT, text.constData()); }

void ScintillaCall::AddText(const QByteArray& text) {
    m_editor->SendScintilla(Sci::SCI_ADDTEXT, uintptr_t(text.size()), text.constData());
}

void ScintillaCall::AppendText(const QByteArray& text) {
    m_editor->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(text.size()), text.constData());
}

void ScintillaCall::InsertText(Position pos, const QByteArray& text) {
    m_editor->SendScintilla(Sci::SCI_INSERTTEXT, uintptr_t(pos), text.constData());
}

void ScintillaCall::DeleteRange(Position start, Position lengthDelete) {
    Send(Sci::SCI_DELETERANGE, start, lengthDelete);
}

void ScintillaCall::ReplaceSel(const QByteArray& text) {
    m_editor->SendScintilla(Sci::SCI_REPLACESEL, text.constData());
}

void ScintillaCall::ClearAll() { Send(Sci::SCI_CLEARALL); }

void ScintillaCall::SetReadOnly(bool readOnly) { Send(Sci::SCI_SETREADONLY, readOnly); }

bool ScintillaCall::ReadOnly() const { return Send(Sci::SCI_GETREADONLY) != 0; }

void ScintillaCall::SetCodePage(int codePage) { Send(Sci::SCI_SETCODEPAGE, codePage); }

int ScintillaCall::CodePage() const { return int(Send(Sci::SCI_GETCODEPAGE)); }

void ScintillaCall::SetEOLMode(int eolMode) { Send(Sci::SCI_SETEOLMODE, eolMode); }

int ScintillaCall::EOLMode() const { return int(Send(Sci::SCI_GETEOLMODE)); }

void ScintillaCall::ConvertEOLs(int eolMode) { Send(Sci::SCI_CONVERTEOLS, eolMode); }

void ScintillaCall::SetPasteConvertEndings(bool convert) { Send(Sci::SCI_SETPASTECONVERTENDINGS, convert); }

// Caret and selection

ScintillaCall::Position ScintillaCall::CurrentPos() const { return Send(Sci::SCI_GETCURRENTPOS); }

ScintillaCall::Position ScintillaCall::SelectionStart() const { return Send(Sci::SCI_GETSELECTIONSTART); }

ScintillaCall::Position ScintillaCall::SelectionEnd() const { return Send(Sci::SCI_GETSELECTIONEND); }

void ScintillaCall::SetSel(Position anchor, Position caret) { Send(Sci::SCI_SETSEL, anchor, caret); }

void ScintillaCall::GotoPos(Position caret) { Send(Sci::SCI_GOTOPOS, caret); }

void ScintillaCall::GotoLine(Line line) { Send(Sci::SCI_GOTOLINE, line); }

void ScintillaCall::SelectAll() { Send(Sci::SCI_SELECTALL); }

void ScintillaCall::DocumentEnd() { Send(Sci::SCI_DOCUMENTEND); }

void ScintillaCall::CharRight() { Send(Sci::SCI_CHARRIGHT); }

void ScintillaCall::ChooseCaretX() { Send(Sci::SCI_CHOOSECARETX); }

ScintillaCall::Position ScintillaCall::Column(Position pos) const { return Send(Sci::SCI_GETCOLUMN, pos); }

bool ScintillaCall::Overtype() const { return Send(Sci::SCI_GETOVERTYPE) != 0; }

void ScintillaCall::SetOvertype(bool overType) { Send(Sci::SCI_SETOVERTYPE, overType); }

void ScintillaCall::Cancel() { Send(Sci::SCI_CANCEL); }

// Lines and characters

ScintillaCall::Line ScintillaCall::LineFromPosition(Position pos) const {
    return Send(Sci::SCI_LINEFROMPOSITION, pos);
}

ScintillaCall::Position ScintillaCall::PositionFromLine(Line line) const {
    return Send(Sci::SCI_POSITIONFROMLINE, line);
}

ScintillaCall::Position ScintillaCall::LineEndPosition(Line line) const {
    return Send(Sci::SCI_GETLINEENDPOSITION, line);
}

ScintillaCall::Position ScintillaCall::LineIndentPosition(Line line) const {
    return Send(Sci::SCI_GETLINEINDENTPOSITION, line);
}

ScintillaCall::Position ScintillaCall::LineLength(Line line) const { return Send(Sci::SCI_LINELENGTH, line); }

void ScintillaCall::AllocateLineCharacterIndex(int lineCharacterIndex) {
    Send(Sci::SCI_ALLOCATELINECHARACTERINDEX, lineCharacterIndex);
}

ScintillaCall::Position ScintillaCall::IndexPositionFromLine(Line line, int lineCharacterIndex) const {
    return Send(Sci::SCI_INDEXPOSITIONFROMLINE, line, lineCharacterIndex);
}

ScintillaCall::Position ScintillaCall::CountCharacters(Position start, Position end) const {
    return Send(Sci::SCI_COUNTCHARACTERS, start, end);
}

int ScintillaCall::LineCharacterIndex() const { return int(Send(Sci::SCI_GETLINECHARACTERINDEX)); }

ScintillaCall::Line ScintillaCall::LineFromIndexPosition(Position pos, int lineCharacterIndex) const {
    return Send(Sci::SCI_LINEFROMINDEXPOSITION, pos, lineCharacterIndex);
}

ScintillaCall::Position ScintillaCall::CountCodeUnits(Position start, Position end) const {
    return Send(Sci::SCI_COUNTCODEUNITS, start, end);
}

ScintillaCall::Position ScintillaCall::PositionRelativeCodeUnits(Position pos, Position relative) const {
    return Send(Sci::SCI_POSITIONRELATIVECODEUNITS, pos, relative);
}

ScintillaCall::Position ScintillaCall::PositionBefore(Position pos) const { return Send(Sci::SCI_POSITIONBEFORE, pos); }

ScintillaCall::Position ScintillaCall::PositionAfter(Position pos) const { return Send(Sci::SCI_POSITIONAFTER, pos); }

ScintillaCall::Position ScintillaCall::WordStartPosition(Position pos, bool onlyWordCharacters) const {
    return Send(Sci::SCI_WORDSTARTPOSITION, pos, onlyWordCharacters);
}

ScintillaCall::Position ScintillaCall::WordEndPosition(Position pos, bool onlyWordCharacters) const {
    return Send(Sci::SCI_WORDENDPOSITION, pos, onlyWordCharacters);
}

ScintillaCall::Position ScintillaCall::CharPositionFromPointClose(int x, int y) const {
    return Send(Sci::SCI_CHARPOSITIONFROMPOINTCLOSE, x, y);
}

void ScintillaCall::ScrollRange(Position secondary, Position primary) { Send(Sci::SCI_SCROLLRANGE, secondary, primary); }

void ScintillaCall::SetEmptySelection(Position caret) { Send(Sci::SCI_SETEMPTYSELECTION, caret); }

// Scrolling and geometry

ScintillaCall::Line ScintillaCall::FirstVisibleLine() const { return Send(Sci::SCI_GETFIRSTVISIBLELINE); }

void ScintillaCall::SetFirstVisibleLine(Line displayLine) { Send(Sci::SCI_SETFIRSTVISIBLELINE, displayLine); }

ScintillaCall::Line ScintillaCall::LinesOnScreen() const { return Send(Sci::SCI_LINESONSCREEN); }

ScintillaCall::Line ScintillaCall::DocLineFromVisible(Line displayLine) const {
    return Send(Sci::SCI_DOCLINEFROMVISIBLE, displayLine);
}

void ScintillaCall::LineScroll(Position columns, Line lines) { Send(Sci::SCI_LINESCROLL, columns, lines); }

ScintillaCall::Position ScintillaCall::PositionFromPoint(int x, int y) const {
    return Send(Sci::SCI_POSITIONFROMPOINT, x, y);
}

int ScintillaCall::PointXFromPosition(Position pos) const { return int(Send(Sci::SCI_POINTXFROMPOSITION, 0, pos)); }

int ScintillaCall::PointYFromPosition(Position pos) const { return int(Send(Sci::SCI_POINTYFROMPOSITION, 0, pos)); }

int ScintillaCall::TextHeight(Line line) const { return int(Send(Sci::SCI_TEXTHEIGHT, line)); }

int ScintillaCall::TextWidth(int style, const QByteArray& text) const {
    return int(m_editor->SendScintilla(Sci::SCI_TEXTWIDTH, uintptr_t(style), text.constData()));
}

void ScintillaCall::SetZoom(int zoomInPoints) { m_editor->SendScintilla(Sci::SCI_SETZOOM, zoomInPoints); }

void ScintillaCall::SetVScrollBar(bool visible) { Send(Sci::SCI_SETVSCROLLBAR, visible); }

void ScintillaCall::SetHScrollBar(bool visible) { Send(Sci::SCI_SETHSCROLLBAR, visible); }

bool ScintillaCall::HScrollBar() const { return Send(Sci::SCI_GETHSCROLLBAR) != 0; }

void ScintillaCall::SetScrollWidth(int pixelWidth) { Send(Sci::SCI_SETSCROLLWIDTH, pixelWidth); }

void ScintillaCall::SetScrollWidthTracking(bool tracking) { Send(Sci::SCI_SETSCROLLWIDTHTRACKING, tracking); }

// Look

void ScintillaCall::SetTabWidth(int tabWidth) { Send(Sci::SCI_SETTABWIDTH, tabWidth); }

int ScintillaCall::TabWidth() const { return int(Send(Sci::SCI_GETTABWIDTH)); }

void ScintillaCall::SetUseTabs(bool useTabs) { Send(Sci::SCI_SETUSETABS, useTabs); }

bool ScintillaCall::UseTabs() const { return Send(Sci::SCI_GETUSETABS) != 0; }

void ScintillaCall::SetIndentationGuides(IndentView indentView) {
    Send(Sci::SCI_SETINDENTATIONGUIDES, int(indentView));
}

void ScintillaCall::SetCaretLineVisible(bool show) { Send(Sci::SCI_SETCARETLINEVISIBLE, show); }

bool ScintillaCall::CaretLineVisible() const { return Send(Sci::SCI_GETCARETLINEVISIBLE) != 0; }

void ScintillaCall::SetCaretLineBack(Colour back) { Send(Sci::SCI_SETCARETLINEBACK, back); }

ScintillaCall::Colour ScintillaCall::CaretLineBack() const { return Colour(Send(Sci::SCI_GETCARETLINEBACK)); }

void ScintillaCall::SetCaretLineVisibleAlways(bool alwaysVisible) {
    Send(Sci::SCI_SETCARETLINEVISIBLEALWAYS, alwaysVisible);
}

void ScintillaCall::SetSelBack(bool useSetting, Colour back) { Send(Sci::SCI_SETSELBACK, useSetting, back); }

void ScintillaCall::UsePopUp(int popUpMode) { Send(Sci::SCI_USEPOPUP, popUpMode); }

void ScintillaCall::SetMouseDwellTime(int periodMilliseconds) { Send(Sci::SCI_SETMOUSEDWELLTIME, periodMilliseconds); }

int ScintillaCall::MouseDwellTime() const { return int(Send(Sci::SCI_GETMOUSEDWELLTIME)); }

// Margins and folding

void ScintillaCall::SetMarginWidthN(int margin, int pixelWidth) { Send(Sci::SCI_SETMARGINWIDTHN, margin, pixelWidth); }

int ScintillaCall::MarginWidthN(int margin) const { return int(Send(Sci::SCI_GETMARGINWIDTHN, margin)); }

void ScintillaCall::SetMarginMaskN(int margin, int mask) { Send(Sci::SCI_SETMARGINMASKN, margin, mask); }

void ScintillaCall::SetMarginSensitiveN(int margin, bool sensitive) {
    Send(Sci::SCI_SETMARGINSENSITIVEN, margin, sensitive);
}

void ScintillaCall::SetFoldFlags(int flags) { Send(Sci::SCI_SETFOLDFLAGS, flags); }

void ScintillaCall::ToggleFold(Line line) { Send(Sci::SCI_TOGGLEFOLD, line); }

int ScintillaCall::FoldLevel(Line line) const { return int(Send(Sci::SCI_GETFOLDLEVEL, line)); }

bool ScintillaCall::FoldExpanded(Line line) const { return Send(Sci::SCI_GETFOLDEXPANDED, line) != 0; }

bool ScintillaCall::LineVisible(Line line) const { return Send(Sci::SCI_GETLINEVISIBLE, line) != 0; }

// Styles and lexing

void ScintillaCall::StyleSetFore(int style, Colour fore) { Send(Sci::SCI_STYLESETFORE, style, fore); }

void ScintillaCall::StyleSetBack(int style, Colour back) { Send(Sci::SCI_STYLESETBACK, style, back); }

void ScintillaCall::StyleSetFont(int style, const QByteArray& fontName) {
    m_editor->SendScintilla(Sci::SCI_STYLESETFONT, uintptr_t(style), fontName.constData());
}

void ScintillaCall::StyleSetBold(int style, bool bold) { Send(Sci::SCI_STYLESETBOLD, style, bold); }

void ScintillaCall::StyleSetItalic(int style, bool italic) { Send(Sci::SCI_STYLESETITALIC, style, italic); }

void ScintillaCall::StyleSetUnderline(int style, bool underline) { Send(Sci::SCI_STYLESETUNDERLINE, style, underline); }

void ScintillaCall::StyleSetSize(int style, int sizePoints) { Send(Sci::SCI_STYLESETSIZE, style, sizePoints); }

ScintillaCall::Colour ScintillaCall::StyleGetFore(int style) const { return Colour(Send(Sci::SCI_STYLEGETFORE, style)); }

ScintillaCall::Colour ScintillaCall::StyleGetBack(int style) const { return Colour(Send(Sci::SCI_STYLEGETBACK, style)); }

bool ScintillaCall::StyleGetBold(int style) const { return Send(Sci::SCI_STYLEGETBOLD, style) != 0; }

bool ScintillaCall::StyleGetItalic(int style) const { return Send(Sci::SCI_STYLEGETITALIC, style) != 0; }

int ScintillaCall::StyleGetSize(int style) const { return int(Send(Sci::SCI_STYLEGETSIZE, style)); }

QByteArray ScintillaCall::StyleGetFont(int style) const { return StringResult(Sci::SCI_STYLEGETFONT, style); }

int ScintillaCall::StyleAt(Position pos) const { return int(Send(Sci::SCI_GETSTYLEAT, pos)); }

ScintillaCall::Position ScintillaCall::EndStyled() const { return Send(Sci::SCI_GETENDSTYLED); }

void ScintillaCall::Colourise(Position start, Position end) { Send(Sci::SCI_COLOURISE, start, end); }

int ScintillaCall::Lexer() const { return int(Send(Sci::SCI_GETLEXER)); }

void ScintillaCall::SetLexer(int lexer) { Send(Sci::SCI_SETLEXER, lexer); }

void ScintillaCall::SetKeyWords(int keyWordSet, const QByteArray& keyWords) {
    m_editor->SendScintilla(Sci::SCI_SETKEYWORDS, uintptr_t(keyWordSet), keyWords.constData());
}

void ScintillaCall::SetProperty(const QByteArray& key, const QByteArray& value) {
    m_editor->SendScintilla(Sci::SCI_SETPROPERTY, key.constData(), value.constData());
}

// Undo, save point, clipboard

void ScintillaCall::Undo() { Send(Sci::SCI_UNDO); }

void ScintillaCall::Redo() { Send(Sci::SCI_REDO); }

bool ScintillaCall::CanUndo() const { return Send(Sci::SCI_CANUNDO) != 0; }

bool ScintillaCall::CanRedo() const { return Send(Sci::SCI_CANREDO) != 0; }

void ScintillaCall::BeginUndoAction() { Send(Sci::SCI_BEGINUNDOACTION); }

void ScintillaCall::EndUndoAction() { Send(Sci::SCI_ENDUNDOACTION); }

void ScintillaCall::EmptyUndoBuffer() { Send(Sci::SCI_EMPTYUNDOBUFFER); }

void ScintillaCall::SetUndoCollection(bool collectUndo) { Send(Sci::SCI_SETUNDOCOLLECTION, collectUndo); }

void ScintillaCall::SetSavePoint() { Send(Sci::SCI_SETSAVEPOINT); }

void ScintillaCall::Cut() { Send(Sci::SCI_CUT); }

void ScintillaCall::Copy() { Send(Sci::SCI_COPY); }

void ScintillaCall::Paste() { Send(Sci::SCI_PASTE); }

void ScintillaCall::Clear() { Send(Sci::SCI_CLEAR); }

bool ScintillaCall::CanPaste() const { return Send(Sci::SCI_CANPASTE) != 0; }

// Searching

void ScintillaCall::SetSearchFlags(int searchFlags) { Send(Sci::SCI_SETSEARCHFLAGS, searchFlags); }

void ScintillaCall::SetTargetStart(Position start) { Send(Sci::SCI_SETTARGETSTART, start); }

void ScintillaCall::SetTargetEnd(Position end) { Send(Sci::SCI_SETTARGETEND, end); }

ScintillaCall::Position ScintillaCall::TargetEnd() const { return Send(Sci::SCI_GETTARGETEND); }

ScintillaCall::Position ScintillaCall::SearchInTarget(const QByteArray& text) {
    return m_editor->SendScintilla(Sci::SCI_SEARCHINTARGET, uintptr_t(text.size()), text.constData());
}

ScintillaCall::Position ScintillaCall::ReplaceTarget(const QByteArray& text) {
    return m_editor->SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(text.size()), text.constData());
}

void ScintillaCall::SetModEventMask(int eventMask) { Send(Sci::SCI_SETMODEVENTMASK, eventMask); }

int ScintillaCall::ModEventMask() const { return int(Send(Sci::SCI_GETMODEVENTMASK)); }

// Markers and indicators

void ScintillaCall::MarkerDefine(int markerNumber, MarkerSymbol markerSymbol) {
    Send(Sci::SCI_MARKERDEFINE, markerNumber, int(markerSymbol));
}

void ScintillaCall::MarkerSetFore(int markerNumber, Colour fore) { Send(Sci::SCI_MARKERSETFORE, markerNumber, fore); }

void ScintillaCall::MarkerSetBack(int markerNumber, Colour back) { Send(Sci::SCI_MARKERSETBACK, markerNumber, back); }

void ScintillaCall::MarkerSetBackSelected(int markerNumber, Colour back) {
    Send(Sci::SCI_MARKERSETBACKSELECTED, markerNumber, back);
}

int ScintillaCall::MarkerAdd(Line line, int markerNumber) { return int(Send(Sci::SCI_MARKERADD, line, markerNumber)); }

void ScintillaCall::MarkerDeleteAll(int markerNumber) { Send(Sci::SCI_MARKERDELETEALL, markerNumber); }

ScintillaCall::Line ScintillaCall::MarkerLineFromHandle(int markerHandle) const {
    return Send(Sci::SCI_MARKERLINEFROMHANDLE, markerHandle);
}

void ScintillaCall::IndicSetStyle(int indicator, IndicatorStyle indicatorStyle) {
    Send(Sci::SCI_INDICSETSTYLE, indicator, int(indicatorStyle));
}

void ScintillaCall::IndicSetFore(int indicator, Colour fore) { Send(Sci::SCI_INDICSETFORE, indicator, fore); }

void ScintillaCall::SetIndicatorCurrent(int indicator) { Send(Sci::SCI_SETINDICATORCURRENT, indicator); }

void ScintillaCall::IndicatorFillRange(Position start, Position lengthFill) {
    Send(Sci::SCI_INDICATORFILLRANGE, start, lengthFill);
}

void ScintillaCall::IndicatorClearRange(Position start, Position lengthClear) {
    Send(Sci::SCI_INDICATORCLEARRANGE, start, lengthClear);
}

int ScintillaCall::IndicatorValueAt(int indicator, Position pos) const {
    return int(Send(Sci::SCI_INDICATORVALUEAT, indicator, pos));
}

// Call tips and completion lists

void ScintillaCall::CallTipShow(Position pos, const QByteArray& definition) {
    m_editor->SendScintilla(Sci::SCI_CALLTIPSHOW, uintptr_t(pos), definition.constData());
}

void ScintillaCall::CallTipCancel() { Send(Sci::SCI_CALLTIPCANCEL); }

bool ScintillaCall::CallTipActive() const { return Send(Sci::SCI_CALLTIPACTIVE) != 0; }

ScintillaCall::Position ScintillaCall::CallTipPosStart() const { return Send(Sci::SCI_CALLTIPPOSSTART); }

void ScintillaCall::CallTipSetBack(Colour back) { Send(Sci::SCI_CALLTIPSETBACK, back); }

void ScintillaCall::CallTipSetHlt(Position highlightStart, Position highlightEnd) {
    Send(Sci::SCI_CALLTIPSETHLT, highlightStart, highlightEnd);
}

void ScintillaCall::CallTipUseStyle(int tabSize) { Send(Sci::SCI_CALLTIPUSESTYLE, tabSize); }

void ScintillaCall::AutoCShow(Position lengthEntered, const QByteArray& itemList) {
    m_editor->SendScintilla(Sci::SCI_AUTOCSHOW, uintptr_t(lengthEntered), itemList.constData());
}

void ScintillaCall::AutoCCancel() { Send(Sci::SCI_AUTOCCANCEL); }

bool ScintillaCall::AutoCActive() const { return Send(Sci::SCI_AUTOCACTIVE) != 0; }

void ScintillaCall::AutoCSetOrder(int order) { Send(Sci::SCI_AUTOCSETORDER, order); }

void ScintillaCall::AutoCSetIgnoreCase(bool ignoreCase) { Send(Sci::SCI_AUTOCSETIGNORECASE, ignoreCase); }

void ScintillaCall::AutoCSetMaxHeight(int rowCount) { Send(Sci::SCI_AUTOCSETMAXHEIGHT, rowCount); }

int ScintillaCall::AutoCGetMaxHeight() const { return int(Send(Sci::SCI_AUTOCGETMAXHEIGHT)); }

QByteArray ScintillaCall::AutoCGetCurrentText() const { return StringResult(Sci::SCI_AUTOCGETCURRENTTEXT); }

// Keys

void ScintillaCall::ClearCmdKey(int keyDefinition) { Send(Sci::SCI_CLEARCMDKEY, keyDefinition); }

// The document

void* ScintillaCall::DocPointer() const { return m_editor->SendScintillaPtrResult(Sci::SCI_GETDOCPOINTER); }

void ScintillaCall::SetDocPointer(void* doc) { m_editor->SendScintilla(Sci::SCI_SETDOCPOINTER, 0, doc); }

void ScintillaCall::ReleaseDocument(void* doc) { m_editor->SendScintilla(Sci::SCI_RELEASEDOCUMENT, 0, doc); }

// ILoader's virtual functions in the order of the embedded Scintilla 3. Not
// in an unnamed namespace: there the compiler, seeing no class derived from
// it, may call the pure functions themselves.
class ComponentLoader {
public:
    virtual int Release() = 0;
    virtual int AddData(const char* data, std::ptrdiff_t length) = 0;
    virtual void* ConvertToDocument() = 0;

protected:
    ~ComponentLoader() = default;
};

namespace {

ComponentLoader* Interface(ScintillaLoader* loader) { return reinterpret_cast<ComponentLoader*>(loader); }

}  // namespace

// Declared here, the interface cannot be the component's own type, which the
// sanitizer's virtual-pointer check would then refuse: these calls go without it.
#define SCRIVO_CALLS_COMPONENT_INTERFACE __attribute__((no_sanitize("vptr")))

SCRIVO_CALLS_COMPONENT_INTERFACE int ScintillaLoader::Release() { return Interface(this)->Release(); }

SCRIVO_CALLS_COMPONENT_INTERFACE int ScintillaLoader::AddData(const char* data, std::ptrdiff_t length) {
    return Interface(this)->AddData(data, length);
}

SCRIVO_CALLS_COMPONENT_INTERFACE void* ScintillaLoader::ConvertToDocument() {
    return Interface(this)->ConvertToDocument();
}

ScintillaLoader* ScintillaCall::CreateLoader(Position bytes) {
    // The message gives the loader as its integer result.
    return reinterpret_cast<ScintillaLoader*>(
        Send(Sci::SCI_CREATELOADER, static_cast<unsigned long>(bytes), Sci::SC_DOCUMENTOPTION_DEFAULT));
}
