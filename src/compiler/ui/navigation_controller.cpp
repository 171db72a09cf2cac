// NavigationController: go to a symbol's definition and list its uses across the include tree (F12, Shift+F12, Ctrl+click).
#include "compiler/ui/navigation_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "compiler/core/diagnostic_locator.h"
#include "nsis/core/include_search.h"
#include "compiler/ui/compile_frame.h"
#include "compiler/ui/log_pane.h"
#include "compiler/ui/rename_symbol_dlg.h"
#include "compiler/ui/symbol_uses_list.h"
#include "config/core/configurator.h"
#include "config/core/symbol_defs.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProcessEnvironment>
#include <QSplitter>
#include <QThreadPool>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString CleanPath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

struct CaretPlace {
    QString file;
    int line = 0;
    int column = 0;  // UTF-16
    QString lineText;
};

QByteArray LineBytes(const CScrivoView& view, int line) { return view.Call().GetLine(line); }

// Without its line end.
QString LineText(const CScrivoView& view, int line) {
    QString text = QString::fromUtf8(LineBytes(view, line));
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

std::optional<CaretPlace> PlaceOf(const CScrivoView* view, long position) {
    if (!view || view->Path().isEmpty() || position < 0)
        return std::nullopt;
    const int line = int(view->Call().LineFromPosition(position));
    const long start = long(view->Call().PositionFromLine(line));
    const QByteArray bytes = LineBytes(*view, line);
    const int column = int(QString::fromUtf8(bytes.first(std::clamp<qsizetype>(position - start, 0, bytes.size()))).size());
    return CaretPlace{CleanPath(view->Path()), line, column, QString::fromUtf8(bytes)};
}

std::optional<CaretPlace> CaretOf(const CScrivoView* view) {
    return view ? PlaceOf(view, long(view->Call().CurrentPos())) : std::nullopt;
}

// Read from the place's line alone: cheap enough for every caret move.
std::optional<NsisSymbolId> SymbolAt(const CaretPlace& place) {
    const NsisFileScan scan = ScanNsisSymbols(place.lineText);
    for (const NsisOccurrence& o : scan.occurrences) {
        if (place.column >= int(o.column) && place.column <= int(o.column) + scan.Length(o))
            return NsisSymbolId{o.Kind(), NsisSymbolKey(scan.Name(o)), {}, -1};
    }
    return std::nullopt;
}

QString KindText(NsisSymbolKind kind) {
    switch (kind) {
    case NsisSymbolKind::Function: return u"函数"_s;
    case NsisSymbolKind::Macro: return u"宏"_s;
    case NsisSymbolKind::Define: return u"常量"_s;
    case NsisSymbolKind::Variable: return u"变量"_s;
    case NsisSymbolKind::LangString: return u"语言字符串"_s;
    case NsisSymbolKind::Section: return u"区段"_s;
    case NsisSymbolKind::Label: return u"标签"_s;
    }
    return {};
}

// The edits of one file, in one undo step.
void ApplyEdits(CScrivoView& view, const std::vector<RenameEdit>& edits) {
    view.Call().BeginUndoAction();
    int lastLine = -1;
    for (const RenameEdit& edit : edits) {
        // A line changed since the plan was made is left as it is.
        if (edit.place.line == lastLine || LineText(view, edit.place.line) != edit.before)
            continue;
        lastLine = edit.place.line;
        const QByteArray after = edit.after.toUtf8();
        ScintillaCall& call = view.Call();
        call.SetTargetStart(call.PositionFromLine(edit.place.line));
        call.SetTargetEnd(call.LineEndPosition(edit.place.line));
        call.ReplaceTarget(after);
    }
    view.Call().EndUndoAction();
}

}  // namespace

struct NavigationController::Inputs {
    QStringList roots;
    // Modified documents only, the others are as on disk; widened to UTF-16 on the
    // worker, since that takes about 20 ms at 20 MB.
    QHash<QString, QByteArray> openTexts;
    QString nsisDir;
    QStringList presetDefines;
    QHash<QString, QString> presetValues;  // the first of a name, as makensis keeps it
    quint64 generation = 0;
};

std::shared_ptr<const NsisSymbolIndex> NavigationController::BuildIndex(const Inputs& inputs,
                                                                        const NsisSymbolIndex* previous) {
    QHash<QString, QString> openTexts;
    for (auto it = inputs.openTexts.begin(); it != inputs.openTexts.end(); ++it)
        openTexts.insert(it.key(), QString::fromUtf8(it.value()));
    return std::make_shared<const NsisSymbolIndex>(NsisSymbolIndex::Build(
        inputs.roots, openTexts, MakeIncludeResolver(inputs.nsisDir, inputs.presetValues), inputs.presetDefines,
        previous));
}

NavigationController::NavigationController(CommandRegistry& registry, ICompileFrame& frame, ILogPane& logPane,
                                           const Configurator& config, QWidget* above,
                                           std::function<void()> commandsChanged, QObject* parent)
    : QObject(parent),
      m_frame(frame),
      m_logPane(logPane),
      m_config(config),
      m_list(new CSymbolUsesList(above->parentWidget())),
      m_commandsChanged(std::move(commandsChanged)) {
    if (auto* splitter = qobject_cast<QSplitter*>(above->parentWidget()))
        splitter->addWidget(m_list);
    m_list->hide();
    registry.Register(Cmd::GoToDefinition, [this](int) { GoToDefinition(); });
    registry.Register(Cmd::FindReferences, [this](int) { FindReferences(); });
    registry.Register(Cmd::RenameSymbol, [this](int) { RenameSymbol(); });
    for (int id : {Cmd::GoToDefinition, Cmd::FindReferences, Cmd::RenameSymbol})
        registry.RegisterEnabledRule(id, [this] { return CaretOnKnownSymbol(); });
    connect(m_list, &CSymbolUsesList::Activated, this, [this](int index) {
        if (index >= 0 && index < int(m_list->Rows().size()))
            OpenAt({m_list->Rows()[index].file, m_list->Rows()[index].line, 0, 0});
    });
}

NavigationController::~NavigationController() = default;

NavigationController::Inputs NavigationController::Gather() const {
    Inputs inputs;
    QStringList headers;
    for (CScrivoView* view : m_frame.Views()) {
        if (view->Path().isEmpty())
            continue;
        const QString path = CleanPath(view->Path());
        if (view->IsModified())
            inputs.openTexts.insert(path, view->Text());
        (path.endsWith(u".nsi"_s, Qt::CaseInsensitive) ? inputs.roots : headers).append(path);
    }
    inputs.roots += headers;
    inputs.nsisDir = NsisFolder(m_config.GetCompilerPath(), QProcessEnvironment::systemEnvironment());
    for (const SymbolDef& symbol : ParseDefs(m_config.Base().Defs)) {
        inputs.presetDefines.append(symbol.name);
        if (!inputs.presetValues.contains(symbol.name))
            inputs.presetValues.insert(symbol.name, symbol.value);
    }
    return inputs;
}

std::shared_ptr<const NsisSymbolIndex> NavigationController::IndexNow() {
    Inputs inputs = Gather();
    inputs.generation = ++m_generation;
    auto index = BuildIndex(inputs, m_index.get());
    TakeIndex(index, inputs.generation);
    return index;
}

// The files are read on a worker; typing never waits for it. A newer request
// while one runs is served once it ends.
void NavigationController::StartBackgroundBuild() {
    if (m_building) {
        m_buildAgain = true;
        return;
    }
    m_building = true;
    m_buildAgain = false;
    Inputs inputs = Gather();
    inputs.generation = ++m_generation;
    QPointer<NavigationController> self(this);
    QThreadPool::globalInstance()->start([self, inputs = std::move(inputs), previous = m_index] {
        auto index = BuildIndex(inputs, previous.get());
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, index, generation = inputs.generation] {
                if (!self)
                    return;
                self->m_building = false;
                self->TakeIndex(index, generation);
                if (self->m_buildAgain)
                    self->StartBackgroundBuild();
            },
            Qt::QueuedConnection);
    });
}

void NavigationController::TakeIndex(std::shared_ptr<const NsisSymbolIndex> index, quint64 generation) {
    if (generation < m_indexGeneration)
        return;
    std::shared_ptr<const NsisSymbolIndex> old = std::exchange(m_index, std::move(index));
    // Freeing a large index takes about 10 ms: a worker does it.
    if (old.use_count() == 1)
        QThreadPool::globalInstance()->start([old = std::move(old)]() mutable { old.reset(); });
    m_indexGeneration = generation;
    if (m_commandsChanged)
        m_commandsChanged();
}

void NavigationController::OnActiveViewChanged() {
    CScrivoView* view = m_frame.ActiveView();
    if (m_clickTarget)
        m_clickTarget->removeEventFilter(this);
    m_clickTarget = nullptr;
    if (!view)
        return;
    m_clickTarget = view->Call().Widget()->viewport();
    m_clickTarget->installEventFilter(this);
    connect(view, &CScrivoView::TextSettled, this, &NavigationController::StartBackgroundBuild,
            Qt::UniqueConnection);
    if (!m_hovered.contains(view)) {
        m_hovered.removeAll(nullptr);
        m_hovered.append(view);
        // After the command tips' own hook, so a user symbol's tip is the one shown.
        connect(&view->Call(), &ScintillaCall::DwellStarted, this,
                [this, view = QPointer(view)](ScintillaCall::Position position) {
            if (view && view == m_frame.ActiveView())
                ShowTip(view, long(position));
        });
    }
    StartBackgroundBuild();
}

bool NavigationController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_clickTarget && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier))
            GoToDefinition();
    }
    return QObject::eventFilter(watched, event);
}

// Against the last index; a label's scope is left to the command itself.
bool NavigationController::CaretOnKnownSymbol() const {
    const std::optional<CaretPlace> caret = CaretOf(m_frame.ActiveView());
    const std::optional<NsisSymbolId> id = caret ? SymbolAt(*caret) : std::nullopt;
    if (!id || !m_index)
        return false;
    return id->kind == NsisSymbolKind::Label || !m_index->Definitions(*id).empty();
}

std::optional<NsisSymbolUse> NavigationController::UseAtCaret(const NsisSymbolIndex& index) const {
    const std::optional<CaretPlace> caret = CaretOf(m_frame.ActiveView());
    if (!caret)
        return std::nullopt;
    return index.UseAt(caret->file, caret->line, caret->column);
}

void NavigationController::GoToDefinition() {
    const std::shared_ptr<const NsisSymbolIndex> index = IndexNow();
    const std::optional<NsisSymbolUse> use = UseAtCaret(*index);
    if (!use)
        return;
    std::vector<NsisSymbolUse> definitions;
    for (NsisSymbolUse& d : index->Definitions(index->IdOf(*use))) {
        if (!d.place.file.isEmpty())
            definitions.push_back(std::move(d));
    }
    if (definitions.empty()) {
        m_frame.ShowProgress(u"未找到%1 %2 的定义"_s.arg(KindText(use->kind), use->name));
        return;
    }
    if (definitions.size() == 1) {
        OpenAt(definitions.front().place);
        return;
    }
    ShowUses(u"%1 %2 的定义"_s.arg(KindText(use->kind), use->name), definitions);
}

void NavigationController::FindReferences() {
    const std::shared_ptr<const NsisSymbolIndex> index = IndexNow();
    const std::optional<NsisSymbolUse> use = UseAtCaret(*index);
    if (!use)
        return;
    std::vector<NsisSymbolUse> uses;
    for (NsisSymbolUse& u : index->References(index->IdOf(*use))) {
        if (!u.place.file.isEmpty())
            uses.push_back(std::move(u));
    }
    std::stable_partition(uses.begin(), uses.end(), [](const NsisSymbolUse& u) { return u.definition; });
    ShowUses(u"%1 %2 的引用"_s.arg(KindText(use->kind), use->name), uses);
}

void NavigationController::RenameSymbol() {
    const std::shared_ptr<const NsisSymbolIndex> index = IndexNow();
    const std::optional<NsisSymbolUse> use = UseAtCaret(*index);
    if (!use)
        return;
    const QString nsisDir = Gather().nsisDir;
    auto* dialog = new CRenameSymbolDlg(
        u"重命名%1 %2"_s.arg(KindText(use->kind), use->name), use->name,
        [this, index, use = *use, nsisDir](const QString& newName) {
            return PlanRename(*index, use, newName, nsisDir,
                              [this](const QString& file, int line) { return LineOf(file, line, false); });
        },
        m_list->window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { ApplyRename(dialog->Plan()); });
    dialog->open();
}

// Files not open are opened into tabs; each file changes in one undo step and stays unsaved.
void NavigationController::ApplyRename(const RenamePlan& plan) {
    CScrivoView* active = m_frame.ActiveView();
    std::size_t i = 0;
    while (i < plan.edits.size()) {
        const QString file = plan.edits[i].place.file;
        std::size_t end = i;
        while (end < plan.edits.size() && plan.edits[end].place.file == file)
            ++end;
        CScrivoView* view = m_frame.OpenFile(file) ? m_frame.ActiveView() : nullptr;
        // A large file still loading takes its edits once its text is there.
        if (view)
            view->WhenLoaded([view, edits = std::vector<RenameEdit>(plan.edits.begin() + std::ptrdiff_t(i),
                                                                     plan.edits.begin() + std::ptrdiff_t(end))] {
                ApplyEdits(*view, edits);
            });
        i = end;
    }
    if (active && !active->Path().isEmpty())
        m_frame.OpenFile(active->Path());
}

void NavigationController::ShowUses(const QString& title, const std::vector<NsisSymbolUse>& uses) {
    std::vector<SymbolUseRow> rows;
    rows.reserve(uses.size());
    for (const NsisSymbolUse& use : uses)
        rows.push_back({use.place.file, use.place.line, LineOf(use.place.file, use.place.line, true), use.definition});
    m_list->SetRows(title, std::move(rows));
    m_list->show();
    m_logPane.RevealLog();
}

// As the error jump does: the file opened or its tab activated, the line five below the top, the caret at its start.
void NavigationController::OpenAt(const NsisPlace& place) {
    if (!m_frame.OpenFile(place.file))
        return;
    if (CScrivoView* view = m_frame.ActiveView())
        view->ScrollToLine(place.line);
}

void NavigationController::ShowTip(CScrivoView* view, long position) {
    const QString tip = SymbolTip(position);
    if (tip.isEmpty())
        return;
    view->Call().CallTipShow(position, tip.toUtf8());
}

QString NavigationController::SymbolTip(long position) {
    const std::optional<CaretPlace> place = PlaceOf(m_frame.ActiveView(), position);
    if (!place || !SymbolAt(*place))
        return {};
    const std::shared_ptr<const NsisSymbolIndex> index = IndexNow();
    const std::optional<NsisSymbolUse> use = index->UseAt(place->file, place->line, place->column);
    if (!use)
        return {};
    QStringList parts;
    for (const NsisSymbolUse& d : index->Definitions(index->IdOf(*use))) {
        if (d.place.file.isEmpty()) {
            parts << u"%1 %2（设置中的符号）"_s.arg(KindText(d.kind), d.name);
            continue;
        }
        const std::optional<QString> text = TextOf(d.place.file);
        parts << u"%1 %2    %3:%4"_s.arg(KindText(d.kind), d.name, QFileInfo(d.place.file).fileName())
                     .arg(d.place.line + 1);
        if (text)
            parts << DefinitionWithComments(*text, d.place.line);
    }
    return parts.join(u'\n');
}

std::optional<QString> NavigationController::TextOf(const QString& file) const {
    for (CScrivoView* view : m_frame.Views()) {
        if (!view->Path().isEmpty() && CleanPath(view->Path()) == file)
            return QString::fromUtf8(view->Text());
    }
    return ReadNsisFile(file);
}

QString NavigationController::LineOf(const QString& file, int line, bool trimmed) const {
    QString text;
    const auto views = m_frame.Views();
    const auto open = std::find_if(views.begin(), views.end(), [&](CScrivoView* view) {
        return !view->Path().isEmpty() && CleanPath(view->Path()) == file;
    });
    if (open != views.end()) {
        text = LineText(**open, line);
    } else if (const std::optional<QString> whole = ReadNsisFile(file)) {
        text = whole->section(u'\n', line, line);
        if (text.endsWith(u'\r'))
            text.chop(1);
    }
    return trimmed ? text.trimmed() : text;
}
