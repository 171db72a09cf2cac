// CScrivoView: the editor view of one script document, the editing component configured for NSIS.
#include "editor/ui/scrivo_view.h"

#include "config/core/configurator.h"
#include "nsis/core/nsis_style.h"
#include "editor/ui/nsis_styler.h"
#include "editor/ui/streamed_load.h"

#include <QAbstractScrollArea>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

using Sc = ScintillaCall;

constexpr int kFoldMargin = 2;
constexpr int kFoldMarginWidth = 14;
constexpr int kMouseDwellMs = 200;
constexpr int kWhite = 0xFFFFFF;
constexpr int kGrey = 0x808080;
// From this size a file loads in the background: above it the window shows
// sooner than the text could be handed over in one call.
constexpr qint64 kStreamedLoadBytes = qint64(4) << 20;
// A load quicker than this shows no progress.
constexpr qint64 kProgressAfterMs = 300;

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

    ScintillaCall* call = &Call();
    connect(call, &Sc::SavePointReached, this, [this] { OnSavePoint(true); });
    connect(call, &Sc::SavePointLeft, this, [this] { OnSavePoint(false); });
    connect(call, &Sc::UpdatedUi, this, &CScrivoView::StateChanged);
    connect(call, &Sc::Modified, this, [this](int type, std::string_view, Sc::Position position, Sc::Position length) {
        OnModified(type, long(position), long(length));
    });
    connect(call, &Sc::MarginClicked, this, [this](Sc::Position position, int) { OnMarginClick(position); });
    QAbstractScrollArea* editor = call->Widget();
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
}

// The worker stops before the widgets it reports to go.
CScrivoView::~CScrivoView() { m_load.reset(); }

bool CScrivoView::NsisLexerAvailable() {
    ScintillaCall probe;
    new NsisStyler(probe);  // the probe's component owns it
    probe.SetText("Section");
    probe.Colourise(0, -1);
    return probe.Lexer() == Sc::kLexerContainer && probe.StyleAt(0) == int(NsisStyle::Section);
}

void CScrivoView::Configure() {
    ScintillaCall& call = Call();
    call.SetMarginMaskN(kFoldMargin, Sc::kMaskFolders);
    call.SetMarginWidthN(kFoldMargin, kFoldMarginWidth);
    call.SetMarginWidthN(1, 0);
    call.SetMarginSensitiveN(1, true);
    call.SetMarginSensitiveN(kFoldMargin, true);
    call.SetFoldFlags(Sc::kFoldFlagLineAfterContracted);
    call.SetScrollWidth(1);
    call.SetScrollWidthTracking(true);
    call.SetMouseDwellTime(kMouseDwellMs);
    call.CallTipUseStyle(1);
    // The component's handling of an after-change notice takes time in
    // proportion to the change's distance from the start of the text (about
    // 50 ms per keystroke at the end of 10 MB); the before-change notices are
    // cheap and still come for every insertion and deletion, undo included.
    call.SetModEventMask(Sc::kModBeforeInsert | Sc::kModBeforeDelete);
    // Pasted text takes the document's line end, so a file never gets mixed ones.
    call.SetPasteConvertEndings(true);
    ApplyLineEnd();

    using Symbol = Sc::MarkerSymbol;
    const std::pair<int, Symbol> markers[] = {
        {Sc::kMarkNumFolderOpen, Symbol::BoxMinus},
        {Sc::kMarkNumFolder, Symbol::BoxPlus},
        {Sc::kMarkNumFolderSub, Symbol::VLine},
        {Sc::kMarkNumFolderTail, Symbol::LCorner},
        {Sc::kMarkNumFolderEnd, Symbol::BoxPlusConnected},
        {Sc::kMarkNumFolderOpenMid, Symbol::BoxMinusConnected},
        {Sc::kMarkNumFolderMidTail, Symbol::TCorner},
    };
    for (const auto& [number, symbol] : markers) {
        call.MarkerDefine(number, symbol);
        call.MarkerSetFore(number, kWhite);
        call.MarkerSetBack(number, kGrey);
        call.MarkerSetBackSelected(number, kWhite);
    }
}

void CScrivoView::ApplyLineEnd() {
    Call().SetEOLMode(m_document.LineEnding() == LineEnd::Lf ? Sc::kEolLf : Sc::kEolCrLf);
}

void CScrivoView::ConvertLineEnds(LineEnd lineEnd) {
    if (m_load)
        return;
    m_document.SetLineEnding(lineEnd);
    ApplyLineEnd();
    // The component converts in one undo step; a change leaves the save point.
    Call().ConvertEOLs(Call().EOLMode());
    Q_EMIT StateChanged();
}

void CScrivoView::OnSavePoint(bool reached) {
    if (reached && m_keepModified)
        return;
    m_document.SetModified(!reached);
    Q_EMIT StateChanged();
}

// The status bar counts characters, not bytes: kept up to date from each
// change, so the count costs the same at any length of text (undo and redo
// included, which tell the same way). An insertion is told before it is made
// and without its text: it is counted once made, at the next notice or
// question, before anything else can have moved it.
void CScrivoView::OnModified(int modificationType, long position, long length) {
    if (!(modificationType & (Sc::kModBeforeInsert | Sc::kModBeforeDelete)))
        return;
    ++m_textChanges;
    CountInsertion();
    if (modificationType & Sc::kModBeforeInsert)
        m_insertion = {position, length};
    else
        m_characters -= Call().CountCharacters(position, position + length);
    m_textTimer.start();
}

void CScrivoView::CountInsertion() const {
    if (m_insertion.length <= 0)
        return;
    const long end = std::min(m_insertion.position + m_insertion.length, long(Call().Length()));
    m_characters += Call().CountCharacters(m_insertion.position, end);
    m_insertion = {};
}

void CScrivoView::OnMarginClick(long position) { Call().ToggleFold(Call().LineFromPosition(position)); }

void CScrivoView::FillEditor(const QByteArray& utf8) {
    ScintillaCall& call = Call();
    call.Cancel();
    ApplyLineEnd();
    call.SetUndoCollection(false);
    call.ClearAll();
    if (!utf8.isEmpty())
        call.AddText(utf8);
    call.SetUndoCollection(true);
    call.EmptyUndoBuffer();
    call.SetSavePoint();
    call.GotoPos(0);
    call.ChooseCaretX();
}

bool CScrivoView::LoadFile(const QString& path, bool asNew) {
    CancelLoad();
    const QFileInfo info(path);
    if (info.isFile() && info.size() >= kStreamedLoadBytes) {
        StartStreamedLoad(path, asNew, info.size());
        return true;
    }
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

void CScrivoView::CancelLoad() {
    if (!m_load)
        return;
    m_load.reset();
    m_whenLoaded.clear();
    m_scrollPending = false;
    Call().SetReadOnly(false);
}

void CScrivoView::WhenLoaded(std::function<void()> action) {
    if (m_load)
        m_whenLoaded.push_back(std::move(action));
    else
        action();
}

void CScrivoView::StartStreamedLoad(const QString& path, bool asNew, qint64 size, std::optional<CodePage> codePage,
                                    bool afterChange) {
    m_loadPath = path;
    m_loadAsNew = asNew;
    m_loadAfterChange = afterChange;
    m_loadClock.start();
    Call().SetReadOnly(true);
    const int number = ++m_loadNumber;
    Utf8ReadRequest request = m_document.ReadRequest(path, codePage);
    request.sizeSeen = size;
    // Reports come from the worker; the number drops those of a load replaced meanwhile.
    m_load = std::make_unique<StreamedLoad>(Call(), std::move(request), size,
                                            [this, number](int percent, bool done) {
                                                QMetaObject::invokeMethod(
                                                    this, [=, this] { OnLoadReport(number, percent, done); },
                                                    Qt::QueuedConnection);
                                            });
}

void CScrivoView::OnLoadReport(int number, int percent, bool done) {
    if (number != m_loadNumber || !m_load)
        return;
    if (done)
        FinishStreamedLoad();
    else if (m_loadClock.elapsed() >= kProgressAfterMs)
        Q_EMIT LoadProgress(percent);
}

void CScrivoView::FinishStreamedLoad() {
    void* document = nullptr;
    const Utf8ReadResult read = m_load->Finish(document);
    m_load.reset();
    Call().SetReadOnly(false);
    std::vector<std::function<void()>> actions = std::exchange(m_whenLoaded, {});
    const bool scroll = std::exchange(m_scrollPending, false);
    const bool reload = !m_loadAsNew && m_document.HasPath() && m_loadPath == Path();
    if (!m_document.AdoptRead(m_loadPath, m_loadAsNew, read)) {
        // The old text stays, editable again; after a change on disk it differs from the file.
        if (m_loadAfterChange)
            m_document.SetModified(true);
        Q_EMIT StateChanged();
        Q_EMIT LoadFinished(false);
        return;
    }
    const long caret = reload ? Call().CurrentPos() : 0;
    AttachDocument(document);
    m_insertion = {};
    m_characters = read.characters;
    Call().GotoPos(std::min(caret, long(Call().Length())));
    Call().ChooseCaretX();
    m_keepModified = m_loadAsNew;
    m_document.SetModified(m_loadAsNew);
    for (const std::function<void()>& action : actions)
        action();
    if (scroll)
        DoScroll();
    Q_EMIT StateChanged();
    Q_EMIT LoadFinished(true);
}

void CScrivoView::AttachDocument(void* document) {
    ScintillaCall& call = Call();
    call.Cancel();
    ++m_textChanges;
    call.SetDocPointer(document);
    // The component took its own reference; the loader's goes.
    call.ReleaseDocument(document);
    // What the component keeps per document (the code page came with it).
    ApplyLineEnd();
    m_text->ApplySettings();
    call.SetUndoCollection(true);
    call.EmptyUndoBuffer();
    call.SetSavePoint();
}

ViewState CScrivoView::State() const {
    ViewState state;
    state.modified = IsModified();
    const ScintillaCall& call = Call();
    state.canUndo = call.CanUndo();
    state.canRedo = call.CanRedo();
    state.canPaste = call.CanPaste();
    state.overtype = call.Overtype();
    const long caret = call.CurrentPos();
    state.line = call.LineFromPosition(caret);
    state.column = call.Column(caret);
    // Start and end, not anchor and caret: the length is the same whichever way the user selected.
    state.selectionLength = call.SelectionEnd() - call.SelectionStart();
    state.lineCount = call.LineCount();
    CountInsertion();
    state.characters = m_characters;
    return state;
}

bool CScrivoView::SaveFile(const QString& newPath) {
    // Half a text must never overwrite the file.
    if (m_load || !m_document.SaveFile(Text(), newPath))
        return false;
    m_keepModified = false;
    Call().SetSavePoint();
    m_document.SetModified(false);
    Q_EMIT StateChanged();
    return true;
}

void CScrivoView::AppendText(const QByteArray& utf8) { Call().AppendText(utf8); }

// While a load runs the text shown is not the file's: nothing may save or convert it.
void CScrivoView::SetEncoding(TextEncoding encoding) {
    if (!m_load)
        AfterEncodingChange(m_document.SetEncoding(encoding, Text()));
}

void CScrivoView::ConvertToCodePage(CodePage page) {
    if (!m_load)
        AfterEncodingChange(m_document.ConvertToCodePage(page, Text()));
}

void CScrivoView::AfterEncodingChange(EncodingChange change) {
    if (change == EncodingChange::Saved) {
        m_keepModified = false;
        Call().SetSavePoint();
        m_document.SetModified(false);
    }
    Q_EMIT StateChanged();
}

void CScrivoView::ReopenWithCodePage(CodePage page) {
    if (!m_load && m_document.AskToReopen(page))
        ReadAgain(page, false);
}

void CScrivoView::ReadAgain(std::optional<CodePage> page, bool afterChange) {
    const QFileInfo info(Path());
    if (info.isFile() && info.size() >= kStreamedLoadBytes) {
        StartStreamedLoad(Path(), false, info.size(), page, afterChange);
        Q_EMIT StateChanged();
        return;
    }
    QByteArray utf8;
    if (m_document.LoadFile(Path(), false, utf8, page))
        ShowReloaded(utf8);
    else if (afterChange)
        m_document.SetModified(true);
    Q_EMIT StateChanged();
}

void CScrivoView::ShowReloaded(const QByteArray& utf8) {
    const long caret = Call().CurrentPos();
    m_keepModified = false;
    FillEditor(utf8);
    m_document.SetModified(false);
    Call().GotoPos(caret);
}

void CScrivoView::CheckExternalChange() {
    if (m_load)
        return;
    switch (m_document.AskAboutExternalChange()) {
    case ExternalChange::None: return;
    case ExternalChange::ReloadWanted: ReadAgain({}, true); return;
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
    if (m_load) {
        m_scrollPending = true;
        return;
    }
    ScintillaCall& call = Call();
    const long first = call.DocLineFromVisible(call.FirstVisibleLine());
    call.LineScroll(0, m_scrollTarget - first - 5);
    call.GotoLine(m_scrollTarget);
    call.Widget()->setFocus();
}

void CScrivoView::Activate() {
    m_activateTimer.start();
    Call().Widget()->setFocus();
}

void CScrivoView::RetireLater() {
    CancelLoad();
    hide();
    m_textTimer.stop();
    m_scrollTimer.stop();
    m_activateTimer.stop();
    QTimer::singleShot(m_retireMs, this, &QObject::deleteLater);
}

bool CScrivoView::eventFilter(QObject* watched, QEvent* event) {
    QAbstractScrollArea* editor = Call().Widget();
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
        const bool list = Call().AutoCActive();
        const bool tip = Call().CallTipActive();
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
            Call().AutoCCancel();
        else if (tip)
            Call().CallTipCancel();
        return list || tip;
    }
    return false;
}
