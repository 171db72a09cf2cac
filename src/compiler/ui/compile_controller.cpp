// CompileController: the frame's compile driver: compile commands, the log pane, error jumps, the built installer.
#include "compiler/ui/compile_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/core/installer_runner.h"
#include "compiler/ui/compile_frame.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "compiler/ui/log_pane.h"
#include "config/core/configurator.h"
#include "editor/ui/command_tipper.h"
#include "editor/ui/manual_tipper.h"
#include "editor/ui/scrivo_view.h"
#include "platform/app_name.h"
#include "platform/prompter.h"

#include <QDesktopServices>
#include <QLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

CompileController::CompileController(ICompileFrame& frame, ILogPane& logPane, CommandRegistry& registry,
                                     const Configurator& config, Prompter& prompter, QObject* parent)
    : QObject(parent),
      m_frame(frame),
      m_logPane(logPane),
      m_registry(registry),
      m_config(config),
      m_prompter(prompter),
      m_logic(new CCompileLogLogic(this)),
      m_log(new CCompileLogCtrl(config, logPane.Area())),
      m_tips(new CommandTipSource(config, this)) {
    logPane.Area()->layout()->addWidget(m_log);
    m_tips->StartReader(m_config.GetCompilerPath());
    RegisterCommands(registry);
    SetCompressor(m_config.Base().Compressor);

    connect(m_logic, &CCompileLogLogic::CompileStarted, this, [this] {
        if (m_log)
            m_log->Clear();
    });
    connect(m_logic, &CCompileLogLogic::TextReady, this, [this](const QByteArray& text) {
        if (!m_log)
            return;
        m_log->Append(text);
        m_log->ScrollToEnd();
    });
    connect(m_logic, &CCompileLogLogic::ErrorLine, this, &CompileController::OnErrorLine);
    connect(m_logic, &CCompileLogLogic::CompileFinished, this, &CompileController::OnFinished);
}

CompileController::~CompileController() = default;

void CompileController::RegisterCommands(CommandRegistry& registry) {
    registry.Register(Cmd::Compile, [this](int) { Compile(false); });
    registry.Register(Cmd::CompileRun, [this](int) { Compile(true); });
    registry.Register(Cmd::StopCompile, [this](int) { Stop(); });
    registry.Register(Cmd::RunInstaller, [this](int) { RunInstaller(); });
    registry.Register(Cmd::ContextHelp, [this](int) { OpenContextHelp(); });
    registry.RegisterRange(Cmd::CompressorFirst, Cmd::CompressorLast,
                           [this](int id) { SetCompressor(id - Cmd::CompressorFirst); });
    for (int id = Cmd::CompressorFirst; id <= Cmd::CompressorLast; ++id)
        registry.RegisterCheckedRule(id, [this, id] { return id - Cmd::CompressorFirst == m_compressor; });
}

void CompileController::OpenContextHelp() {
    const CScrivoView* view = m_frame.ActiveView();
    const ManualTipper* tipper = view ? ManualTipper::Of(view) : nullptr;
    const QUrl section = tipper ? tipper->ContextUrl() : QUrl();
    // Without a known keyword the manual opens at its start, as its menu item does.
    if (section.isEmpty() || !QDesktopServices::openUrl(section))
        m_registry.Dispatch(Cmd::Manual);
}

void CompileController::SetCompressor(int compressor) {
    m_compressor = std::clamp(compressor, 0, Cmd::CompressorLast - Cmd::CompressorFirst);
    Q_EMIT CompressorChanged();
}

void CompileController::OnActiveViewChanged() {
    if (CScrivoView* view = m_frame.ActiveView())
        m_tips->Attach(view);
}

void CompileController::SetCompiling(bool compiling) {
    m_compiling = compiling;
    Q_EMIT CompilingChanged(compiling);
}

void CompileController::Compile(bool runAfter) {
    CScrivoView* view = m_frame.ActiveView();
    const CompileRequestOutcome outcome = RequestCompile(
        *this, m_prompter, *m_logic, ReadCompileSettings(m_config, m_compressor), m_config.Base().SaveCompile != 0);
    if (outcome == CompileRequestOutcome::NotAScript && view && view->Path().endsWith(u".nsh"_s, Qt::CaseInsensitive))
        Q_EMIT HeaderRefused(view->Path());
    if (outcome != CompileRequestOutcome::Started)
        return;
    m_compiledView = view;
    m_runAfter = runAfter;
    SetCompiling(true);
}

void CompileController::Stop() { m_logic->Stop(); }

void CompileController::RunInstaller() {
    // F9 arrives even while its item is disabled: the installer being
    // written is not started half-built.
    if (m_compiling)
        return;
    if (const CScrivoView* view = m_frame.ActiveView())
        RunInstallerOf(InstallerOf(view));
}

bool CompileController::HasActiveDocument() const { return m_frame.ActiveView() != nullptr; }

void CompileController::ShowLogPane() { m_logPane.RevealLog(); }

QString CompileController::ActiveDocumentPath() const {
    const CScrivoView* view = m_frame.ActiveView();
    return view ? view->Path() : QString();
}

std::optional<CodePage> CompileController::ActiveDocumentCodePage() const {
    const CScrivoView* view = m_frame.ActiveView();
    if (!view || view->Encoding() != TextEncoding::Ansi)
        return std::nullopt;
    return view->Document().Page();
}

bool CompileController::IsActiveDocumentModified() const {
    const CScrivoView* view = m_frame.ActiveView();
    return view && view->IsModified();
}

void CompileController::SaveActiveDocument() { m_frame.SaveActive(); }

void CompileController::OpenCompilerSettings() { m_registry.Dispatch(Cmd::CompilerSettings); }

void CompileController::OnErrorLine(int line) {
    // The jump goes to whatever document is active, as the compiler's line
    // names no tab.
    if (CScrivoView* view = m_frame.ActiveView())
        view->ScrollToLine(line);
}

CScrivoView* CompileController::CompiledView() const {
    const std::vector<CScrivoView*> open = m_frame.Views();
    const bool isOpen = m_compiledView && std::find(open.begin(), open.end(), m_compiledView.data()) != open.end();
    return isOpen ? m_compiledView.data() : nullptr;
}

void CompileController::SetInstaller(CScrivoView* view, const QString& path) {
    if (!m_installers.contains(view))
        connect(view, &QObject::destroyed, this, [this, view] { m_installers.remove(view); });
    m_installers.insert(view, path);
}

void CompileController::OnFinished(const CompileResult& result) {
    CScrivoView* view = CompiledView();
    if (view)
        SetInstaller(view, result.NextInstallerPath(InstallerOf(view)));
    m_compiledView.clear();
    SetCompiling(false);
    // A stopped compile built nothing: an older installer is not started in
    // its place.
    if (m_runAfter && view && !result.stopped)
        RunInstallerOf(InstallerOf(view));
}

void CompileController::RunInstallerOf(const QString& installer) {
    switch (::RunInstaller(installer, FindWine())) {
    case RunInstallerResult::Started:
    case RunInstallerResult::NoInstaller: break;
    case RunInstallerResult::NoWine:
        m_prompter.Ask(NoWineMessage(), kAppName, PromptIcon::Warning, PromptButtons::Ok);
        break;
    case RunInstallerResult::Failed:
        m_prompter.Ask(u"无法运行安装程序“%1”。"_s.arg(installer), kAppName, PromptIcon::Warning,
                       PromptButtons::Ok);
        break;
    }
}
