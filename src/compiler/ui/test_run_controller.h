// TestRunController: the "测试安装与卸载" command (build when needed, round trip in a throwaway wine prefix, report under the log) and the toolchain check.
#pragma once

#include "compiler/core/round_trip_report.h"

#include <QObject>
#include <QPointer>
#include <QTemporaryDir>

class CRoundTripLogic;
class CTestRunPane;
class CToolchainDlg;
class CommandRegistry;
class CompileController;
class Configurator;
class ICompileFrame;
class ILogPane;
class QWidget;
struct CompileResult;

class TestRunController : public QObject {
    Q_OBJECT
public:
    // Places the report pane below the log (hidden until the first run),
    // registers both commands, and opens the toolchain check once when no
    // compiler is found.
    TestRunController(CommandRegistry& registry, ICompileFrame& frame, CompileController& compile,
                      ILogPane& logPane, const Configurator& config, QWidget* window);
    ~TestRunController() override;

    void TestRun();
    void ShowToolchainCheck();
    bool IsRunning() const;
    CTestRunPane* Pane() const { return m_pane; }
    CToolchainDlg* ToolchainDlg() const;

private:
    void OnCompileFinished(const CompileResult& result);
    void StartRoundTrip(const QString& installerPath, const QString& scriptPath);
    void OnFinished(const RoundTripReport& report);
    void ShowPane();
    void GivePaneRoom();

    ICompileFrame& m_frame;
    CompileController& m_compile;
    ILogPane& m_logPane;
    const Configurator& m_config;
    QWidget* m_window;
    CTestRunPane* m_pane;
    CRoundTripLogic* m_logic;
    QPointer<CToolchainDlg> m_toolchain;
    // The session's pristine prefix: made by the first run, copied by the others.
    QTemporaryDir m_template;
    bool m_awaitingCompile = false;  // a test run waits for the compile it started
};
