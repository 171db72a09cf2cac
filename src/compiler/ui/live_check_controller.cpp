// LiveCheckController: checks the active document's unsaved text while the user types and shows what makensis finds.
#include "compiler/ui/live_check_controller.h"

#include "compiler/core/live_check.h"
#include "compiler/core/live_check_plan.h"
#include "compiler/ui/compile_controller.h"
#include "compiler/ui/compile_frame.h"
#include "compiler/ui/diagnostics_controller.h"
#include "config/core/configurator.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"

#include <algorithm>
#include <cctype>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

// A pasted block holds a line end and text; Enter adds a line end and blanks only.
bool IsPasteLike(std::string_view inserted) {
    if (inserted.size() <= 2)
        return false;
    return inserted.find('\n') != std::string_view::npos
        && std::any_of(inserted.begin(), inserted.end(), [](char c) { return !std::isspace(static_cast<unsigned char>(c)); });
}

QString SummaryText(const LiveCheckResult& result) {
    if (result.failed)
        return u"实时检查无法启动编译器"_s;
    if (!result.unsafeDirectives.isEmpty())
        return FullCheckSkippedText(result.unsafeDirectives);
    if (result.timedOut)
        return FullCheckTimedOutText();
    const auto errors = std::count_if(result.diagnostics.begin(), result.diagnostics.end(), [](const Diagnostic& d) {
        return d.severity == DiagnosticSeverity::Error;
    });
    const auto warnings = result.diagnostics.size() - errors;
    if (errors == 0 && warnings == 0)
        return u"实时检查：没有发现问题"_s;
    return u"实时检查：%1 个错误，%2 个警告"_s.arg(errors).arg(warnings);
}
}  // namespace

LiveCheckController::LiveCheckController(ICompileFrame& frame, const Configurator& config, CompileController& compile,
                                         DiagnosticsController& diagnostics, QObject* parent, int timeLimitMs)
    : QObject(parent),
      m_frame(frame),
      m_config(config),
      m_compile(compile),
      m_diagnostics(diagnostics),
      m_check(new CLiveCheck(timeLimitMs, this)) {
    m_soon.setSingleShot(true);
    // Long enough for the edit to be painted first: the check's copy of the
    // text takes 20-35 ms at 50 MB.
    m_soon.setInterval(50);
    connect(&m_soon, &QTimer::timeout, this, [this] { CheckNow(static_cast<CScrivoView*>(m_pendingView.data())); });
    connect(m_check, &CLiveCheck::Finished, this, &LiveCheckController::OnFinished);
    // A compile's results replace the check's; a check running now would come after them.
    connect(&m_compile, &CompileController::CompilingChanged, this, [this](bool compiling) {
        if (compiling) {
            Cancel();
            m_pendingView.clear();
        }
    });
}

void LiveCheckController::OnActiveViewChanged() {
    CScrivoView* active = m_frame.ActiveView();
    if (m_checkedView != active)
        Cancel();
    if (!active)
        return;
    Watch(active);
    if (m_pendingView == active)
        m_soon.start();
}

void LiveCheckController::Watch(CScrivoView* view) {
    if (m_watched.contains(view))
        return;
    m_watched.insert(view);
    QObject* object = view;
    connect(view, &QObject::destroyed, this, [this, view, object] {
        m_watched.remove(view);
        if (m_check->IsRunning() && (m_checkedView.isNull() || m_checkedView.data() == object))
            Cancel();
    });
    connect(view, &CScrivoView::TextSettled, this, [this, view] {
        if (m_pendingView == view)
            CheckNow(view);
    });
    connect(&view->Call(), &ScintillaCall::Modified, this,
            [this, view](int type, std::string_view text, ScintillaCall::Position position,
                         ScintillaCall::Position length) { OnEdited(view, type, text, position, length); });
}

void LiveCheckController::OnEdited(CScrivoView* view, int modificationType, std::string_view text,
                                   ScintillaCall::Position position, ScintillaCall::Position length) {
    // The view asks its editor for these two only; they carry the text too.
    if (!(modificationType & (ScintillaCall::kModBeforeInsert | ScintillaCall::kModBeforeDelete)))
        return;
    if (m_checkedView == view)
        Cancel();
    m_pendingView = view;
    const bool undoOrRedo = modificationType & (ScintillaCall::kPerformedUndo | ScintillaCall::kPerformedRedo);
    if (undoOrRedo || ((modificationType & ScintillaCall::kModBeforeInsert) && IsPasteLike(text)))
        m_soon.start();
    else if ((modificationType & ScintillaCall::kModBeforeInsert) && text.empty() && length > 2)
        CheckSoonIfPasted(view, position, length);
}

// This component tells of an insertion without its text; it is read once made.
void LiveCheckController::CheckSoonIfPasted(CScrivoView* view, ScintillaCall::Position position,
                                           ScintillaCall::Position length) {
    QTimer::singleShot(0, this, [this, edited = QPointer<QObject>(view), view, position, length] {
        if (!edited || m_pendingView != edited)
            return;
        // Later edits of the same moment may have shortened the text since.
        const ScintillaCall::Position end = std::min(position + length, ScintillaCall::Position(view->Call().Length()));
        if (end > position && IsPasteLike(view->Call().GetTextRange(position, end).toStdString()))
            m_soon.start();
    });
}

void LiveCheckController::Cancel() {
    m_check->Cancel();
    m_checkedView.clear();
}

void LiveCheckController::CheckNow(CScrivoView* view) {
    if (!view || view != m_frame.ActiveView() || m_config.Base().LiveCheck == 0 || m_compile.IsCompiling())
        return;
    m_pendingView.clear();
    m_checkedView = view;
    m_check->Start({view->Text(), view->Path(), ReadCompileSettings(m_config, m_compile.Compressor())});
}

void LiveCheckController::OnFinished(const LiveCheckResult& result) {
    auto* view = static_cast<CScrivoView*>(std::exchange(m_checkedView, nullptr).data());
    if (!view || view != m_frame.ActiveView())
        return;
    QList<Diagnostic> diagnostics = result.diagnostics;
    for (Diagnostic& diagnostic : diagnostics)
        diagnostic.message.prepend(u"[实时检查] "_s);
    m_diagnostics.ShowLiveCheck(view, result.scriptPath, diagnostics);
    m_frame.ShowProgress(SummaryText(result));
}
