// TestRunController: the test run command and its report pane, and the toolchain check.
#include "compiler/ui/test_run_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "compiler/ui/compile_controller.h"
#include "compiler/ui/compile_frame.h"
#include "compiler/ui/log_pane.h"
#include "compiler/ui/proportional_splitter.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/core/installer_probe.h"
#include "compiler/core/round_trip_logic.h"
#include "compiler/ui/test_run_pane.h"
#include "compiler/ui/toolchain_dlg.h"
#include "config/core/configurator.h"
#include "editor/ui/scrivo_view.h"

#include <QFileInfo>
#include <QLayout>
#include <QSplitter>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
// The installer must be at least as new as the script, else it is built first.
bool IsUpToDate(const QString& installer, const QString& script) {
    const QFileInfo built(installer);
    return built.isFile() && built.lastModified() >= QFileInfo(script).lastModified();
}
}  // namespace

TestRunController::TestRunController(CommandRegistry& registry, ICompileFrame& frame, CompileController& compile,
                                     ILogPane& logPane, const Configurator& config, QWidget* window)
    : QObject(window),
      m_frame(frame),
      m_compile(compile),
      m_logPane(logPane),
      m_config(config),
      m_window(window),
      m_pane(new CTestRunPane(compile.Log()->parentWidget())),
      m_logic(new CRoundTripLogic(this)) {
    // Beside the problem list when the log shares a splitter with it.
    if (auto* splitter = qobject_cast<QSplitter*>(compile.Log()->parentWidget())) {
        splitter->addWidget(m_pane);
        splitter->setStretchFactor(splitter->indexOf(m_pane), 2);
    }
    else
        compile.Log()->parentWidget()->layout()->addWidget(m_pane);
    m_pane->hide();

    registry.Register(Cmd::TestRun, [this](int) { TestRun(); });
    registry.RegisterEnabledRule(Cmd::TestRun, [this] {
        return !IsRunning() && !m_compile.IsCompiling() && m_frame.ActiveView() != nullptr;
    });
    registry.Register(Cmd::ToolchainCheck, [this](int) { ShowToolchainCheck(); });

    connect(m_pane, &CTestRunPane::StopRequested, m_logic, &CRoundTripLogic::Stop);
    connect(m_logic, &CRoundTripLogic::Progress, m_pane, &CTestRunPane::ShowRunning);
    connect(m_logic, &CRoundTripLogic::Finished, this, &TestRunController::OnFinished);
    connect(&m_compile.Logic(), &CCompileLogLogic::CompileFinished, this, &TestRunController::OnCompileFinished);

    if (!QFileInfo(m_config.GetCompilerPath()).isExecutable())
        QTimer::singleShot(0, this, &TestRunController::ShowToolchainCheck);
}

TestRunController::~TestRunController() = default;

bool TestRunController::IsRunning() const { return m_logic->IsRunning() || m_awaitingCompile; }

void TestRunController::TestRun() {
    if (IsRunning() || m_compile.IsCompiling())
        return;
    const CScrivoView* view = m_frame.ActiveView();
    if (!view)
        return;
    const QString script = view->Path();
    const QString installer = m_compile.InstallerOf(view);
    if (!script.isEmpty() && !view->IsModified() && IsUpToDate(installer, script)) {
        StartRoundTrip(installer, script);
        return;
    }
    // Built the way the compile command builds, with its saving and messages.
    m_compile.Compile(false);
    m_awaitingCompile = m_compile.IsCompiling();
}

void TestRunController::OnCompileFinished(const CompileResult& result) {
    if (!m_awaitingCompile)
        return;
    m_awaitingCompile = false;
    const CScrivoView* view = m_frame.ActiveView();
    const QString installer = view ? m_compile.InstallerOf(view) : QString();
    if (result.stopped || result.exitCode != 0 || installer.isEmpty())
        return;
    StartRoundTrip(installer, view->Path());
}

void TestRunController::StartRoundTrip(const QString& installerPath, const QString& scriptPath) {
    RoundTripOptions options;
    options.installerPath = installerPath;
    options.chooseDirectory = ScriptFileChoosesDirectory(scriptPath);
    options.templateFolder = m_template.isValid() ? m_template.path() : QString();
    options.keepPrefix = m_pane->KeepPrefix();
    if (!m_logic->Start(options))
        return;
    m_logPane.RevealLog();
    if (m_pane->isHidden())
        ShowPane();
    m_pane->ShowRunning(u"正在测试安装与卸载…"_s);
}

void TestRunController::ShowPane() {
    m_pane->show();
    // The report needs more room than the problem list: take it from the log,
    // once the pane just revealed has its size.
    QTimer::singleShot(0, this, &TestRunController::GivePaneRoom);
}

void TestRunController::GivePaneRoom() {
    // The log keeps two fifths; the problem list and the report share the rest.
    if (auto* splitter = qobject_cast<ProportionalSplitter*>(m_pane->parentWidget()))
        splitter->SetShare(ProportionalSplitter::kWhole * 2 / 5);
}

void TestRunController::OnFinished(const RoundTripReport& report) { m_pane->ShowReport(report); }

void TestRunController::ShowToolchainCheck() {
    if (m_toolchain) {
        m_toolchain->raise();
        m_toolchain->activateWindow();
        return;
    }
    m_toolchain = new CToolchainDlg(m_config.GetCompilerPath(), m_window);
    m_toolchain->setAttribute(Qt::WA_DeleteOnClose);
    m_toolchain->show();
}

CToolchainDlg* TestRunController::ToolchainDlg() const { return m_toolchain; }
