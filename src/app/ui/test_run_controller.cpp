// TestRunController: the test run command and its report pane, and the toolchain check.
#include "app/ui/test_run_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "app/core/document_rules.h"
#include "app/ui/compile_controller.h"
#include "app/ui/document_set.h"
#include "app/ui/log_pane.h"
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

TestRunController::TestRunController(CommandRegistry& registry, DocumentSet& documents, CompileController& compile,
                                     ILogPane& logPane, const Configurator& config, QWidget* frame)
    : QObject(frame),
      m_documents(documents),
      m_compile(compile),
      m_logPane(logPane),
      m_config(config),
      m_frame(frame),
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
        return !IsRunning() && !m_compile.IsCompiling() && m_documents.ActiveDocument() != nullptr;
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
    const CEditerTabViewItem* document = m_documents.ActiveDocument();
    if (!document)
        return;
    const QString script = document->View()->Path();
    if (!script.isEmpty() && !document->View()->IsModified() && IsUpToDate(document->installerPath, script)) {
        StartRoundTrip(document->installerPath, script);
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
    const CEditerTabViewItem* document = m_documents.ActiveDocument();
    if (result.stopped || result.exitCode != 0 || !document || document->installerPath.isEmpty())
        return;
    StartRoundTrip(document->installerPath, document->View()->Path());
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
    auto* splitter = qobject_cast<QSplitter*>(m_pane->parentWidget());
    if (!splitter)
        return;
    QList<int> sizes = splitter->sizes();
    int total = 0;
    for (int size : sizes)
        total += size;
    const int wanted = total * 2 / 5;
    sizes.first() = std::max(0, sizes.first() - (wanted - sizes.last()));
    sizes.last() = wanted;
    splitter->setSizes(sizes);
}

void TestRunController::OnFinished(const RoundTripReport& report) { m_pane->ShowReport(report); }

void TestRunController::ShowToolchainCheck() {
    if (m_toolchain) {
        m_toolchain->raise();
        m_toolchain->activateWindow();
        return;
    }
    m_toolchain = new CToolchainDlg(m_config.GetCompilerPath(), m_frame);
    m_toolchain->setAttribute(Qt::WA_DeleteOnClose);
    m_toolchain->show();
}

CToolchainDlg* TestRunController::ToolchainDlg() const { return m_toolchain; }
