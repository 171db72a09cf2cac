// DiagnosticsController: fills the problem list after each compile, jumps to a problem's line, marks the editors.
#include "compiler/ui/diagnostics_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "compiler/ui/proportional_splitter.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/core/compile_outcome.h"
#include "compiler/ui/compile_controller.h"
#include "compiler/ui/compile_frame.h"
#include "compiler/ui/diagnostics_list.h"
#include "editor/ui/diagnostic_marks.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"
#include "platform/same_file.h"

#include <QLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int kLogShare = 7500;  // of the pane, above the list

// The list shares the log pane with the log, below it, resizable.
void PlaceUnderLog(CCompileLogCtrl* log, CDiagnosticsList* list) {
    QWidget* pane = log->parentWidget();
    // Kept as a share from the start: the list's own size would leave the log a few lines.
    auto* splitter = new ProportionalSplitter(Qt::Vertical, pane);
    delete pane->layout()->replaceWidget(log, splitter);
    splitter->addWidget(log);
    splitter->addWidget(list);
    splitter->SetShare(kLogShare);
    // A list view asks for room for several rows even when empty; its header and a row will do.
    list->setMinimumHeight(list->fontMetrics().lineSpacing() * 3);
}
}  // namespace

DiagnosticsController::DiagnosticsController(CommandRegistry& registry, ICompileFrame& frame,
                                             CompileController& compile, QObject* parent)
    : QObject(parent),
      m_frame(frame),
      m_compile(compile),
      m_list(new CDiagnosticsList(compile.Log()->parentWidget())) {
    PlaceUnderLog(compile.Log(), m_list);
    registry.Register(Cmd::NextDiagnostic, [this](int) { Step(1); });
    registry.Register(Cmd::PreviousDiagnostic, [this](int) { Step(-1); });
    for (int id : {Cmd::NextDiagnostic, Cmd::PreviousDiagnostic})
        registry.RegisterEnabledRule(id, [this] { return m_list->Count() > 0; });

    connect(m_list, &CDiagnosticsList::Activated, this, &DiagnosticsController::GoTo);
    connect(&compile.Log()->Call(), &ScintillaCall::DoubleClicked, this,
            [this](ScintillaCall::Position, ScintillaCall::Line line) { OnLogDoubleClicked(line); });
    connect(&compile.Logic(), &CCompileLogLogic::CompileStarted, this, &DiagnosticsController::OnStarted);
    connect(&compile.Logic(), &CCompileLogLogic::CompileFinished, this, &DiagnosticsController::OnFinished);
}

void DiagnosticsController::OnActiveViewChanged() { MarkView(m_frame.ActiveView()); }

void DiagnosticsController::OnStarted() {
    ++m_generation;
    m_liveView.clear();
    m_liveScript.clear();
    m_list->Clear();
    for (CScrivoView* view : m_frame.Views())
        CDiagnosticMarks::Of(*view).Clear();
    m_frame.ShowProgress(u"正在编译…"_s);
}

void DiagnosticsController::OnFinished(const CompileResult& result) {
    m_list->SetDiagnostics(result.diagnostics);
    m_frame.ShowProgress(CompileOutcomeText(result));
    for (CScrivoView* view : m_frame.Views())
        MarkView(view);
}

void DiagnosticsController::ShowLiveCheck(CScrivoView* view, const QString& scriptPath,
                                          const QList<Diagnostic>& diagnostics) {
    ++m_generation;
    m_liveView = view;
    m_liveScript = scriptPath;
    m_list->SetDiagnostics(diagnostics);
    for (CScrivoView* open : m_frame.Views())
        MarkView(open);
}

bool DiagnosticsController::IsInView(const Diagnostic& diagnostic, const CScrivoView* view) const {
    if (!diagnostic.HasPlace())
        return false;
    if (view == m_liveView && diagnostic.file == m_liveScript)
        return true;
    return !view->Path().isEmpty() && IsSameFile(diagnostic.file, view->Path());
}

void DiagnosticsController::MarkView(CScrivoView* view) {
    if (!view)
        return;
    CDiagnosticMarks& marks = CDiagnosticMarks::Of(*view);
    if (marks.Generation() == m_generation)
        return;
    marks.Clear();
    marks.SetGeneration(m_generation);
    for (const Diagnostic& diagnostic : m_list->Diagnostics()) {
        if (IsInView(diagnostic, view))
            marks.Add(diagnostic.line - 1, diagnostic.severity == DiagnosticSeverity::Error, diagnostic.message);
    }
}

void DiagnosticsController::GoTo(int index) {
    if (index < 0 || index >= m_list->Count())
        return;
    m_list->SetCurrentIndex(index);
    const Diagnostic& diagnostic = m_list->Diagnostics()[index];
    if (!diagnostic.HasPlace())
        return;
    // A document never saved cannot be opened by its name; it is the active one.
    const bool inActive = m_frame.ActiveView() && IsInView(diagnostic, m_frame.ActiveView());
    if (!inActive && !m_frame.OpenFile(diagnostic.file))
        return;
    if (CScrivoView* view = m_frame.ActiveView()) {
        MarkView(view);
        view->ScrollToLine(diagnostic.line - 1);
    }
}

void DiagnosticsController::Step(int delta) {
    const int count = m_list->Count();
    if (count == 0)
        return;
    const int current = m_list->CurrentIndex();
    const int next = current < 0 ? (delta > 0 ? 0 : count - 1) : (current + delta + count) % count;
    GoTo(next);
}

void DiagnosticsController::OnLogDoubleClicked(int line) {
    GoTo(DiagnosticOfOutputLine(m_list->Diagnostics(), m_compile.Log()->LineText(line)));
}
