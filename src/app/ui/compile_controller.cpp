// CompileController: the frame's compile driver: compile commands, the log pane, error jumps, the built installer.
#include "app/ui/compile_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "app/ui/command_actions.h"
#include "app/ui/document_set.h"
#include "app/ui/log_pane.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/core/installer_runner.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "config/core/configurator.h"
#include "editor/ui/command_tipper.h"
#include "platform/app_name.h"
#include "platform/prompter.h"

#include <QLayout>

using namespace Qt::StringLiterals;

CompileController::CompileController(DocumentSet& documents, ILogPane& logPane, CommandActions& actions,
                                     CommandRegistry& registry, const Configurator& config, Prompter& prompter,
                                     QObject* parent)
    : QObject(parent),
      m_documents(documents),
      m_logPane(logPane),
      m_actions(actions),
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

    connect(&m_documents, &DocumentSet::ActiveChanged, this, [this] {
        if (CScrivoView* view = m_documents.ActiveView())
            m_tips->Attach(view);
    });
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
    registry.RegisterRange(Cmd::CompressorFirst, Cmd::CompressorLast,
                           [this](int id) { SetCompressor(id - Cmd::CompressorFirst); });
}

void CompileController::SetCompressor(int compressor) {
    m_compressor = std::clamp(compressor, 0, Cmd::CompressorLast - Cmd::CompressorFirst);
    for (int id = Cmd::CompressorFirst; id <= Cmd::CompressorLast; ++id)
        m_actions.SetChecked(id, id - Cmd::CompressorFirst == m_compressor);
}

void CompileController::SetCompiling(bool compiling) {
    m_compiling = compiling;
    Q_EMIT CompilingChanged(compiling);
}

void CompileController::Compile(bool runAfter) {
    CScrivoView* view = m_documents.ActiveView();
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
    if (const CEditerTabViewItem* document = m_documents.ActiveDocument())
        RunInstallerOf(*document);
}

bool CompileController::HasActiveDocument() const { return m_documents.ActiveView() != nullptr; }

void CompileController::ShowLogPane() { m_logPane.RevealLog(); }

QString CompileController::ActiveDocumentPath() const {
    const CScrivoView* view = m_documents.ActiveView();
    return view ? view->Path() : QString();
}

std::optional<CodePage> CompileController::ActiveDocumentCodePage() const {
    const CScrivoView* view = m_documents.ActiveView();
    if (!view || view->Encoding() != TextEncoding::Ansi)
        return std::nullopt;
    return view->Document().Page();
}

bool CompileController::IsActiveDocumentModified() const {
    const CScrivoView* view = m_documents.ActiveView();
    return view && view->IsModified();
}

void CompileController::SaveActiveDocument() {
    if (CEditerTabViewItem* document = m_documents.ActiveDocument())
        m_documents.Save(document);
}

void CompileController::OpenCompilerSettings() { m_registry.Dispatch(Cmd::CompilerSettings); }

void CompileController::OnErrorLine(int line) {
    // The jump goes to whatever document is active, as the compiler's line
    // names no tab.
    if (CScrivoView* view = m_documents.ActiveView())
        view->ScrollToLine(line);
}

CEditerTabViewItem* CompileController::CompiledDocument() const {
    if (!m_compiledView)
        return nullptr;
    return m_documents.DocumentAt(m_documents.IndexOfView(m_compiledView));
}

void CompileController::OnFinished(const CompileResult& result) {
    CEditerTabViewItem* document = CompiledDocument();
    if (document)
        document->installerPath = result.NextInstallerPath(document->installerPath);
    m_compiledView.clear();
    SetCompiling(false);
    // A stopped compile built nothing: an older installer is not started in
    // its place.
    if (m_runAfter && document && !result.stopped)
        RunInstallerOf(*document);
}

void CompileController::RunInstallerOf(const CEditerTabViewItem& document) {
    switch (::RunInstaller(document.installerPath, FindWine())) {
    case RunInstallerResult::Started:
    case RunInstallerResult::NoInstaller: break;
    case RunInstallerResult::NoWine:
        m_prompter.Ask(NoWineMessage(), kAppName, PromptIcon::Warning, PromptButtons::Ok);
        break;
    case RunInstallerResult::Failed:
        m_prompter.Ask(u"无法运行安装程序“%1”。"_s.arg(document.installerPath), kAppName, PromptIcon::Warning,
                       PromptButtons::Ok);
        break;
    }
}
