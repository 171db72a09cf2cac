// CScrivoView: the editor view of one script document, the editing component configured for NSIS.
#include "editor/ui/scrivo_view.h"

#include "config/core/configurator.h"
#include "editor/core/nsis_style.h"
#include "editor/ui/editor_accessibility.h"
#include "editor/ui/nsis_styler.h"
#include "editor/ui/qsci_base.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QVBoxLayout>

namespace {

using Sci = QsciScintillaBase;

constexpr int kLineNumberStyle = 33;
constexpr int kDefaultStyle = 32;
constexpr int kCallTipStyle = 38;
constexpr unsigned long kMarginCount = 4;
constexpr unsigned long kWhite = 0xFFFFFF;
constexpr unsigned long kGrey = 0x808080;

int DecimalDigits(long n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

}  // namespace

CScrivoView::CScrivoView(const Configurator& config, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      m_config(config),
      m_document(prompter),
      m_editor(new QsciScintillaBase(this)),
      m_styler(new NsisStyler(m_editor)) {
    UsePlainEditorAccessibility();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);

    m_textTimer.setSingleShot(true);
    m_textTimer.setInterval(800);
    connect(&m_textTimer, &QTimer::timeout, this, &CScrivoView::TextSettled);
    m_scrollTimer.setSingleShot(true);
    m_scrollTimer.setInterval(100);
    connect(&m_scrollTimer, &QTimer::timeout, this, &CScrivoView::DoScroll);
    m_activateTimer.setSingleShot(true);
    m_activateTimer.setInterval(200);
    connect(&m_activateTimer, &QTimer::timeout, this, &CScrivoView::CheckExternalChange);

    Configure();

    connect(m_editor, &Sci::SCN_SAVEPOINTREACHED, this, [this] { OnSavePoint(true); });
    connect(m_editor, &Sci::SCN_SAVEPOINTLEFT, this, [this] { OnSavePoint(false); });
    connect(m_editor, &Sci::SCN_UPDATEUI, this, &CScrivoView::StateChanged);
    connect(m_editor, &Sci::SCN_MODIFIED, this,
            [this](int, int type, const char*, int, int, int, int, int, int, int) { OnModified(type); });
    connect(m_editor, &Sci::SCN_PAINTED, this, &CScrivoView::UpdateLineNumberWidth);
    connect(m_editor, &Sci::SCN_ZOOM, this, &CScrivoView::UpdateLineNumberWidth);
    connect(m_editor, &Sci::SCN_MARGINCLICK, this, [this](int position, int, int) { OnMarginClick(position); });
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this);
}

CScrivoView::~CScrivoView() = default;

bool CScrivoView::NsisLexerAvailable() {
    QsciScintillaBase probe;
    new NsisStyler(&probe);  // the probe owns it
    probe.SendScintilla(Sci::SCI_SETTEXT, "Section");
    probe.SendScintilla(Sci::SCI_COLOURISE, 0, -1);
    return probe.SendScintilla(Sci::SCI_GETLEXER) == Sci::SCLEX_CONTAINER &&
           probe.SendScintilla(Sci::SCI_GETSTYLEAT, 0) == int(NsisStyle::Section);
}

long CScrivoView::Send(unsigned int message, unsigned long wParam, long lParam) const {
    return m_editor->SendScintilla(message, wParam, lParam);
}

void CScrivoView::Configure() {
    Send(Sci::SCI_SETMARGINMASKN, 2, long(Sci::SC_MASK_FOLDERS));
    Send(Sci::SCI_SETMARGINWIDTHN, 2, 14);
    Send(Sci::SCI_SETMARGINWIDTHN, 1, 0);
    Send(Sci::SCI_SETMARGINSENSITIVEN, 1, 1);
    Send(Sci::SCI_SETMARGINSENSITIVEN, 2, 1);
    Send(Sci::SCI_SETSTYLEBITS, 5);
    Send(Sci::SCI_USEPOPUP, 0);
    Send(Sci::SCI_SETFOLDFLAGS, 16);
    Send(Sci::SCI_SETSCROLLWIDTH, 1);
    Send(Sci::SCI_SETSCROLLWIDTHTRACKING, 1);
    Send(Sci::SCI_SETMOUSEDWELLTIME, 200);
    Send(Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    Send(Sci::SCI_CALLTIPUSESTYLE, 1);
    // The component's handling of an after-change notice takes time in
    // proportion to the change's distance from the start of the text (about
    // 50 ms per keystroke at the end of 10 MB); the before-change notices are
    // cheap and still come for every insertion and deletion, undo included.
    Send(Sci::SCI_SETMODEVENTMASK, Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE);

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
    ApplySettings();
    SetLexer(kNsisLanguageId, 15);
}

void CScrivoView::ApplySettings() {
    const BaseConfig& base = m_config.Base();
    Send(Sci::SCI_SETTABWIDTH, base.TabSize > 0 ? base.TabSize : 4);
    Send(Sci::SCI_SETUSETABS, base.TabSpace ? 0 : 1);
    m_lineNumbers = base.ShowLineNumber != 0;
    UpdateLineNumberWidth();
    if (!m_lineNumbers)
        Send(Sci::SCI_SETMARGINWIDTHN, 0, 0);
    Send(Sci::SCI_SETCARETLINEVISIBLE, base.ShowHotCurLine ? 1 : 0);
    Send(Sci::SCI_SETCARETLINEBACK, (unsigned long)(base.HotCurLineColor & 0xFFFFFF));
}

void CScrivoView::SetLexer(int languageId, int keywordMask) {
    std::array<QString, kKeywordSets> lists;
    ApplyLanguageStyles(languageId, lists);
    for (int i = 0; i < kKeywordSets; ++i) {
        if (keywordMask & (1 << i))
            SetKeywords(languageId, lists[i], i);
    }
}

void CScrivoView::ApplyLanguageStyles(int languageId, std::array<QString, kKeywordSets>& lists) {
    Q_UNUSED(languageId);
    if (m_config.LexerTypes().empty())
        return;
    for (const WordsStyle& style : m_config.LexerTypes().front().styles) {
        SetStyle(style);
        // A style's own words join the language's list of the class it colours.
        if (style.keywordClass >= 0 && style.keywordClass < kKeywordSets && style.keywords)
            lists[style.keywordClass] = *style.keywords;
    }
}

void CScrivoView::SetKeywords(int languageId, const QString& words, int setIndex) {
    m_styler->SetKeywords(setIndex, words + u' ' + m_config.KeywordsFor(languageId, setIndex).value_or(QString()));
}

void CScrivoView::SetStyle(const WordsStyle& style) {
    ApplyStyle(style);
    if (style.styleId == 0) {
        WordsStyle copy = style;
        for (int number : {kCallTipStyle, kDefaultStyle}) {
            copy.styleId = number;
            ApplyStyle(copy);
        }
    }
}

void CScrivoView::ApplyStyle(const WordsStyle& style) {
    const unsigned long id = unsigned(style.styleId);
    if ((style.colourFlags & kApplyForeColour) && style.foreColour >= 0)
        Send(Sci::SCI_STYLESETFORE, id, style.foreColour);
    if ((style.colourFlags & kApplyBackColour) && style.backColour >= 0)
        Send(Sci::SCI_STYLESETBACK, id, style.backColour);
    if (style.fontName && !style.fontName->isEmpty()) {
        const QByteArray font = style.fontName->toUtf8();
        m_editor->SendScintilla(Sci::SCI_STYLESETFONT, uintptr_t(id), font.constData());
    }
    if (style.fontStyle != -1) {
        Send(Sci::SCI_STYLESETBOLD, id, (style.fontStyle & kFontBold) ? 1 : 0);
        Send(Sci::SCI_STYLESETITALIC, id, (style.fontStyle & kFontItalic) ? 1 : 0);
        Send(Sci::SCI_STYLESETUNDERLINE, id, (style.fontStyle & kFontUnderline) ? 1 : 0);
    }
    if (style.fontSize > 0)
        Send(Sci::SCI_STYLESETSIZE, id, style.fontSize);
}

int CScrivoView::LineNumberWidth() const {
    const long onScreen = Send(Sci::SCI_LINESONSCREEN);
    if (onScreen <= 0)
        return -1;
    const long n = Send(Sci::SCI_GETFIRSTVISIBLELINE) + onScreen + 1;
    const int digits = std::max(3, DecimalDigits(n));
    const int eight = int(m_editor->SendScintilla(Sci::SCI_TEXTWIDTH, uintptr_t(kLineNumberStyle), "8"));
    return digits * eight + 8;
}

void CScrivoView::UpdateLineNumberWidth() {
    if (!m_lineNumbers)
        return;
    const int width = LineNumberWidth();
    if (width >= 0 && width != Send(Sci::SCI_GETMARGINWIDTHN, 0))
        Send(Sci::SCI_SETMARGINWIDTHN, 0, width);
}

void CScrivoView::RemoveMargins() {
    disconnect(m_editor, &Sci::SCN_PAINTED, this, nullptr);
    disconnect(m_editor, &Sci::SCN_ZOOM, this, nullptr);
    for (unsigned long margin = 0; margin < kMarginCount; ++margin)
        Send(Sci::SCI_SETMARGINWIDTHN, margin, 0);
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

void CScrivoView::OnMarginClick(int position) {
    const long line = Send(Sci::SCI_LINEFROMPOSITION, unsigned(position));
    Send(Sci::SCI_TOGGLEFOLD, (unsigned long)line);
}

void CScrivoView::FillEditor(const QByteArray& utf8) {
    Send(Sci::SCI_CANCEL);
    Send(Sci::SCI_SETUNDOCOLLECTION, 0);
    Send(Sci::SCI_CLEARALL);
    if (!utf8.isEmpty())
        m_editor->SendScintilla(Sci::SCI_ADDTEXT, uintptr_t(utf8.size()), utf8.constData());
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

QByteArray CScrivoView::Text() const {
    const long length = Send(Sci::SCI_GETLENGTH);
    QByteArray text(length + 1, '\0');
    m_editor->SendScintilla(Sci::SCI_GETTEXT, (unsigned long)(length + 1), static_cast<void*>(text.data()));
    text.chop(1);
    return text;
}

ViewState CScrivoView::State() const {
    ViewState state;
    state.modified = IsModified();
    state.canUndo = Send(Sci::SCI_CANUNDO) != 0;
    state.canRedo = Send(Sci::SCI_CANREDO) != 0;
    state.canPaste = Send(Sci::SCI_CANPASTE) != 0;
    state.overtype = Send(Sci::SCI_GETOVERTYPE) != 0;
    const long caret = Send(Sci::SCI_GETCURRENTPOS);
    state.line = Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)caret);
    state.column = Send(Sci::SCI_GETCOLUMN, (unsigned long)caret);
    // Start and end, not anchor and caret: the length is the same whichever way the user selected.
    state.selectionLength = Send(Sci::SCI_GETSELECTIONEND) - Send(Sci::SCI_GETSELECTIONSTART);
    state.lineCount = Send(Sci::SCI_GETLINECOUNT);
    state.length = Send(Sci::SCI_GETLENGTH);
    return state;
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
    m_editor->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(utf8.size()), utf8.constData());
}

void CScrivoView::SetEncoding(TextEncoding encoding) {
    if (m_document.SetEncoding(encoding, Text()) == EncodingChange::Saved) {
        m_keepModified = false;
        Send(Sci::SCI_SETSAVEPOINT);
        m_document.SetModified(false);
    }
    Q_EMIT StateChanged();
}

void CScrivoView::CheckExternalChange() {
    QByteArray reloaded;
    switch (m_document.CheckExternalChange(reloaded)) {
    case ExternalChange::None:
        return;
    case ExternalChange::Reloaded: {
        const long caret = Send(Sci::SCI_GETCURRENTPOS);
        m_keepModified = false;
        FillEditor(reloaded);
        m_document.SetModified(false);
        Send(Sci::SCI_GOTOPOS, (unsigned long)caret);
        break;
    }
    case ExternalChange::MissingKept:
    case ExternalChange::ChangedKept:
        m_document.SetModified(true);
        break;
    case ExternalChange::CloseTab:
        Q_EMIT CloseRequested();
        return;
    }
    Q_EMIT StateChanged();
}

void CScrivoView::ScrollToLine(int line) {
    m_scrollTarget = line;
    m_scrollTimer.start();
}

void CScrivoView::DoScroll() {
    const long first = Send(Sci::SCI_DOCLINEFROMVISIBLE, (unsigned long)Send(Sci::SCI_GETFIRSTVISIBLELINE));
    Send(Sci::SCI_LINESCROLL, 0, long(m_scrollTarget - first - 5));
    Send(Sci::SCI_GOTOLINE, (unsigned long)m_scrollTarget);
    m_editor->setFocus();
}

void CScrivoView::Activate() {
    m_activateTimer.start();
    m_editor->setFocus();
}

void CScrivoView::RetireLater() {
    hide();
    m_textTimer.stop();
    m_scrollTimer.stop();
    m_activateTimer.stop();
    QTimer::singleShot(1000, this, &QObject::deleteLater);
}

bool CScrivoView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor->viewport() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop)) {
        // Dropped files go to the frame, which opens them; text drops stay the editor's.
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasUrls()) {
            drop->ignore();
            return true;
        }
    }
    if (watched == m_editor->viewport() && event->type() == QEvent::ContextMenu) {
        Q_EMIT EditMenuRequested(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (watched == m_editor && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
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
