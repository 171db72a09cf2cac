// CScrivoView: the editor view of one script document, the editing component configured for NSIS.
#include "editor/ui/scrivo_view.h"

#include "config/core/configurator.h"
#include "nsis/core/nsis_style.h"
#include "editor/ui/nsis_styler.h"
#include "editor/ui/qsci_base.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QVBoxLayout>

namespace {

using Sci = QsciScintillaBase;

constexpr long kFoldMargin = 2;
constexpr long kFoldMarginWidth = 14;
constexpr long kMouseDwellMs = 200;
constexpr long kWhite = 0xFFFFFF;
constexpr long kGrey = 0x808080;

}  // namespace

CScrivoView::CScrivoView(const Configurator& config, Prompter& prompter, QWidget* parent, ViewTimings timings)
    : QWidget(parent), m_document(prompter), m_text(new CNsisTextView(config, this)), m_retireMs(timings.retireMs) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    setFocusProxy(m_text);

    m_textTimer.setSingleShot(true);
    m_textTimer.setInterval(timings.settleMs);
    connect(&m_textTimer, &QTimer::timeout, this, &CScrivoView::TextSettled);
    m_scrollTimer.setSingleShot(true);
    m_scrollTimer.setInterval(timings.scrollMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, &CScrivoView::DoScroll);
    m_activateTimer.setSingleShot(true);
    m_activateTimer.setInterval(timings.activateMs);
    connect(&m_activateTimer, &QTimer::timeout, this, &CScrivoView::CheckExternalChange);

    Configure();

    QsciScintillaBase* editor = Editor();
    connect(editor, &Sci::SCN_SAVEPOINTREACHED, this, [this] { OnSavePoint(true); });
    connect(editor, &Sci::SCN_SAVEPOINTLEFT, this, [this] { OnSavePoint(false); });
    connect(editor, &Sci::SCN_UPDATEUI, this, &CScrivoView::StateChanged);
    connect(editor, &Sci::SCN_MODIFIED, this,
            [this](int, int type, const char*, int, int, int, int, int, int, int) { OnModified(type); });
    connect(editor, &Sci::SCN_MARGINCLICK, this, [this](int position, int, int) { OnMarginClick(position); });
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
}

CScrivoView::~CScrivoView() = default;

bool CScrivoView::NsisLexerAvailable() {
    QsciScintillaBase probe;
    new NsisStyler(&probe);  // the probe owns it
    probe.SendScintilla(Sci::SCI_SETTEXT, "Section");
    probe.SendScintilla(Sci::SCI_COLOURISE, 0, -1);
    return probe.SendScintilla(Sci::SCI_GETLEXER) == Sci::SCLEX_CONTAINER
        && probe.SendScintilla(Sci::SCI_GETSTYLEAT, 0) == int(NsisStyle::Section);
}

void CScrivoView::Configure() {
    Send(Sci::SCI_SETMARGINMASKN, kFoldMargin, long(Sci::SC_MASK_FOLDERS));
    Send(Sci::SCI_SETMARGINWIDTHN, kFoldMargin, kFoldMarginWidth);
    Send(Sci::SCI_SETMARGINWIDTHN, 1, 0);
    Send(Sci::SCI_SETMARGINSENSITIVEN, 1, 1);
    Send(Sci::SCI_SETMARGINSENSITIVEN, kFoldMargin, 1);
    Send(Sci::SCI_SETFOLDFLAGS, Sci::SC_FOLDFLAG_LINEAFTER_CONTRACTED);
    Send(Sci::SCI_SETSCROLLWIDTH, 1);
    Send(Sci::SCI_SETSCROLLWIDTHTRACKING, 1);
    Send(Sci::SCI_SETMOUSEDWELLTIME, kMouseDwellMs);
    Send(Sci::SCI_CALLTIPUSESTYLE, 1);
    // The component's handling of an after-change notice takes time in
    // proportion to the change's distance from the start of the text (about
    // 50 ms per keystroke at the end of 10 MB); the before-change notices are
    // cheap and still come for every insertion and deletion, undo included.
    Send(Sci::SCI_SETMODEVENTMASK, Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE);
    // The status bar counts characters, not bytes; with a per-line index the
    // count is the last line's start plus that one line, whatever the length.
    Send(Sci::SCI_ALLOCATELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF32);
    // Pasted text takes the document's line end, so a file never gets mixed ones.
    Send(Sci::SCI_SETPASTECONVERTENDINGS, 1);
    ApplyLineEnd();

    const std::pair<int, int> markers[] = {
        {Sci::SC_MARKNUM_FOLDEROPEN, Sci::SC_MARK_BOXMINUS},
        {Sci::SC_MARKNUM_FOLDER, Sci::SC_MARK_BOXPLUS},
        {Sci::SC_MARKNUM_FOLDERSUB, Sci::SC_MARK_VLINE},
        {Sci::SC_MARKNUM_FOLDERTAIL, Sci::SC_MARK_LCORNER},
        {Sci::SC_MARKNUM_FOLDEREND, Sci::SC_MARK_BOXPLUSCONNECTED},
        {Sci::SC_MARKNUM_FOLDEROPENMID, Sci::SC_MARK_BOXMINUSCONNECTED},
        {Sci::SC_MARKNUM_FOLDERMIDTAIL, Sci::SC_MARK_TCORNER},
    };
    for (const auto& [number, symbol] : markers) {
        Send(Sci::SCI_MARKERDEFINE, number, symbol);
        Send(Sci::SCI_MARKERSETFORE, number, kWhite);
        Send(Sci::SCI_MARKERSETBACK, number, kGrey);
        Send(Sci::SCI_MARKERSETBACKSELECTED, number, kWhite);
    }
}

void CScrivoView::ApplyLineEnd() {
    Send(Sci::SCI_SETEOLMODE, m_document.LineEnding() == LineEnd::Lf ? Sci::SC_EOL_LF : Sci::SC_EOL_CRLF);
}

void CScrivoView::ConvertLineEnds(LineEnd lineEnd) {
    m_document.SetLineEnding(lineEnd);
    ApplyLineEnd();
    // The component converts in one undo step; a change leaves the save point.
    Send(Sci::SCI_CONVERTEOLS, Send(Sci::SCI_GETEOLMODE));
    Q_EMIT StateChanged();
}

void CScrivoView::OnSavePoint(bool reached) {
    if (reached && m_keepModified)
        return;
    m_document.SetModified(!reached);
    Q_EMIT StateChanged();
}

void CScrivoView::OnModified(int modificationType) {
    if (modificationType & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE))
        m_textTimer.start();
}

void CScrivoView::OnMarginClick(int position) { Send(Sci::SCI_TOGGLEFOLD, Send(Sci::SCI_LINEFROMPOSITION, position)); }

void CScrivoView::FillEditor(const QByteArray& utf8) {
    Send(Sci::SCI_CANCEL);
    ApplyLineEnd();
    Send(Sci::SCI_SETUNDOCOLLECTION, 0);
    Send(Sci::SCI_CLEARALL);
    if (!utf8.isEmpty())
        Editor()->SendScintilla(Sci::SCI_ADDTEXT, uintptr_t(utf8.size()), utf8.constData());
    Send(Sci::SCI_SETUNDOCOLLECTION, 1);
    Send(Sci::SCI_EMPTYUNDOBUFFER);
    Send(Sci::SCI_SETSAVEPOINT);
    Send(Sci::SCI_GOTOPOS, 0);
    Send(Sci::SCI_CHOOSECARETX);
}

bool CScrivoView::LoadFile(const QString& path, bool asNew) {
    QByteArray utf8;
    const bool loaded = m_document.LoadFile(path, asNew, utf8);
    if (!loaded)
        return false;
    m_keepModified = false;
    FillEditor(utf8);
    m_keepModified = asNew;
    m_document.SetModified(asNew);
    Q_EMIT StateChanged();
    return true;
}

ViewState CScrivoView::State() const {
    ViewState state;
    state.modified = IsModified();
    state.canUndo = Send(Sci::SCI_CANUNDO) != 0;
    state.canRedo = Send(Sci::SCI_CANREDO) != 0;
    state.canPaste = Send(Sci::SCI_CANPASTE) != 0;
    state.overtype = Send(Sci::SCI_GETOVERTYPE) != 0;
    const long caret = Send(Sci::SCI_GETCURRENTPOS);
    state.line = Send(Sci::SCI_LINEFROMPOSITION, caret);
    state.column = Send(Sci::SCI_GETCOLUMN, caret);
    // Start and end, not anchor and caret: the length is the same whichever way the user selected.
    state.selectionLength = Send(Sci::SCI_GETSELECTIONEND) - Send(Sci::SCI_GETSELECTIONSTART);
    state.lineCount = Send(Sci::SCI_GETLINECOUNT);
    state.characters = CharacterCount();
    return state;
}

long CScrivoView::CharacterCount() const {
    const long lastLine = Send(Sci::SCI_GETLINECOUNT) - 1;
    const long lastLineStart = Send(Sci::SCI_POSITIONFROMLINE, lastLine);
    return Send(Sci::SCI_INDEXPOSITIONFROMLINE, lastLine, Sci::SC_LINECHARACTERINDEX_UTF32)
        + Send(Sci::SCI_COUNTCHARACTERS, lastLineStart, Send(Sci::SCI_GETLENGTH));
}

bool CScrivoView::SaveFile(const QString& newPath) {
    if (!m_document.SaveFile(Text(), newPath))
        return false;
    m_keepModified = false;
    Send(Sci::SCI_SETSAVEPOINT);
    m_document.SetModified(false);
    Q_EMIT StateChanged();
    return true;
}

void CScrivoView::AppendText(const QByteArray& utf8) {
    Editor()->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(utf8.size()), utf8.constData());
}

void CScrivoView::SetEncoding(TextEncoding encoding) { AfterEncodingChange(m_document.SetEncoding(encoding, Text())); }

void CScrivoView::ConvertToCodePage(CodePage page) { AfterEncodingChange(m_document.ConvertToCodePage(page, Text())); }

void CScrivoView::AfterEncodingChange(EncodingChange change) {
    if (change == EncodingChange::Saved) {
        m_keepModified = false;
        Send(Sci::SCI_SETSAVEPOINT);
        m_document.SetModified(false);
    }
    Q_EMIT StateChanged();
}

void CScrivoView::ReopenWithCodePage(CodePage page) {
    QByteArray utf8;
    if (!m_document.ReopenWithCodePage(page, utf8))
        return;
    ShowReloaded(utf8);
    Q_EMIT StateChanged();
}

void CScrivoView::ShowReloaded(const QByteArray& utf8) {
    const long caret = Send(Sci::SCI_GETCURRENTPOS);
    m_keepModified = false;
    FillEditor(utf8);
    m_document.SetModified(false);
    Send(Sci::SCI_GOTOPOS, caret);
}

void CScrivoView::CheckExternalChange() {
    QByteArray reloaded;
    switch (m_document.CheckExternalChange(reloaded)) {
    case ExternalChange::None: return;
    case ExternalChange::Reloaded: ShowReloaded(reloaded); break;
    case ExternalChange::MissingKept:
    case ExternalChange::ChangedKept: m_document.SetModified(true); break;
    case ExternalChange::CloseTab: Q_EMIT CloseRequested(); return;
    }
    Q_EMIT StateChanged();
}

void CScrivoView::ScrollToLine(int line) {
    m_scrollTarget = line;
    m_scrollTimer.start();
}

void CScrivoView::DoScroll() {
    const long first = Send(Sci::SCI_DOCLINEFROMVISIBLE, Send(Sci::SCI_GETFIRSTVISIBLELINE));
    Send(Sci::SCI_LINESCROLL, 0, m_scrollTarget - first - 5);
    Send(Sci::SCI_GOTOLINE, m_scrollTarget);
    Editor()->setFocus();
}

void CScrivoView::Activate() {
    m_activateTimer.start();
    Editor()->setFocus();
}

void CScrivoView::RetireLater() {
    hide();
    m_textTimer.stop();
    m_scrollTimer.stop();
    m_activateTimer.stop();
    QTimer::singleShot(m_retireMs, this, &QObject::deleteLater);
}

bool CScrivoView::eventFilter(QObject* watched, QEvent* event) {
    QsciScintillaBase* editor = Editor();
    if (watched == editor->viewport() && (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop)) {
        // Dropped files go to the frame, which opens them; text drops stay the editor's.
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasUrls()) {
            drop->ignore();
            return true;
        }
    }
    if (watched == editor->viewport() && event->type() == QEvent::ContextMenu) {
        Q_EMIT EditMenuRequested(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (watched == editor && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
            return false;
        const bool list = Send(Sci::SCI_AUTOCACTIVE) != 0;
        const bool tip = Send(Sci::SCI_CALLTIPACTIVE) != 0;
        if (event->type() == QEvent::ShortcutOverride) {
            // Claim Escape from the frame's key only when there is something
            // to close; otherwise the frame gets it (it stops a compile).
            if (list || tip) {
                event->accept();
                return false;
            }
            event->ignore();
            return true;
        }
        if (list)
            Send(Sci::SCI_AUTOCCANCEL);
        else if (tip)
            Send(Sci::SCI_CALLTIPCANCEL);
        return list || tip;
    }
    return false;
}
