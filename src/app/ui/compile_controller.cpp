// CompileController: the frame's compile driver: compile commands, the log pane, error jumps, the built installer.
#include "app/ui/compile_controller.h"

#include "app/core/command_ids.h"
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/core/installer_runner.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "config/core/configurator.h"
#include "editor/ui/command_tipper.h"
#include "platform/app_name.h"
#include "platform/prompter.h"

#include <QLayout>

using namespace Qt::StringLiterals;

CompileController::CompileController(CMainFrame& frame, const Configurator& config, Prompter& prompter)
    : QObject(&frame),
      m_frame(frame),
      m_config(config),
      m_prompter(prompter),
      m_logic(new CCompileLogLogic(this)),
      m_log(new CCompileLogCtrl(config, prompter, frame.LogPane())),
      m_tips(new CommandTipSource(config, this)) {
    m_frame.LogPane()->layout()->addWidget(m_log);
    m_tips->StartReader(m_config.GetCompilerPath());

    connect(&m_frame, &CMainFrame::CompileRequested, this, &CompileController::Compile);
    connect(&m_frame, &CMainFrame::ActiveViewChanged, this, [this](CScrivoView* view) {
        if (view)
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

void CompileController::Compile(bool runAfter) {
    CScrivoView* view = m_frame.ActiveView();
    const CompileRequestOutcome outcome =
        RequestCompile(*this, m_prompter, *m_logic, ReadCompileSettings(m_config, m_frame.Compressor()),
                       m_config.Base().SaveCompile != 0);
    if (outcome != CompileRequestOutcome::Started)
        return;
    m_compiledView = view;
    m_runAfter = runAfter;
    m_frame.SetCompiling(true);
}

void CompileController::Stop() { m_logic->Stop(); }

void CompileController::RunInstaller() {
    if (const CEditerTabViewItem* document = m_frame.Documents().ActiveDocument())
        RunInstallerOf(*document);
}

bool CompileController::HasActiveDocument() const { return m_frame.ActiveView() != nullptr; }

void CompileController::ShowLogPane() {
    if (!m_frame.IsLogShown())
        m_frame.OnCommand(Cmd::ToggleLog);
}

QString CompileController::ActiveDocumentPath() const {
    const CScrivoView* view = m_frame.ActiveView();
    return view ? view->Path() : QString();
}

bool CompileController::IsActiveDocumentModified() const {
    const CScrivoView* view = m_frame.ActiveView();
    return view && view->IsModified();
}

void CompileController::SaveActiveDocument() {
    DocumentSet& documents = m_frame.Documents();
    if (CEditerTabViewItem* document = documents.ActiveDocument())
        documents.Save(document);
}

void CompileController::OpenCompilerSettings() {
    // The settings dialog does not exist yet; once it does, it opens here on
    // its compiler page.
}

void CompileController::OnErrorLine(int line) {
    // The jump goes to whatever document is active, as the compiler's line
    // names no tab.
    if (CScrivoView* view = m_frame.ActiveView())
        view->ScrollToLine(line);
}

CEditerTabViewItem* CompileController::CompiledDocument() const {
    if (!m_compiledView)
        return nullptr;
    DocumentSet& documents = m_frame.Documents();
    return documents.DocumentAt(documents.IndexOfView(m_compiledView));
}

void CompileController::OnFinished(const CompileResult& result) {
    CEditerTabViewItem* document = CompiledDocument();
    if (document)
        document->installerPath = result.NextInstallerPath(document->installerPath);
    m_compiledView.clear();
    m_frame.SetCompiling(false);
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
