// CompileController: the frame's compile driver: compile commands, the log pane, error jumps, the built installer.
#pragma once

#include "compiler/core/compile_request.h"
#include "compiler/ui/compile_log_ctrl.h"

#include <QObject>
#include <QPointer>

class CCompileLogLogic;
class CEditerTabViewItem;
class CMainFrame;
class CScrivoView;
class CommandTipSource;
class Configurator;
class Prompter;
struct CompileResult;

class CompileController : public QObject, private ICompileHost {
    Q_OBJECT
public:
    // Puts the log into the frame's log pane and starts the command-help
    // reader, as creating the log does.
    CompileController(CMainFrame& frame, const Configurator& config, Prompter& prompter);
    ~CompileController() override;

    CCompileLogCtrl* Log() const { return m_log; }
    CCompileLogLogic& Logic() const { return *m_logic; }
    CommandTipSource& Tips() const { return *m_tips; }

    // Compiles the active document; with runAfter its installer is started
    // once the compile has built it.
    void Compile(bool runAfter);
    void Stop();
    // Starts the active document's last built installer.
    void RunInstaller();

private:
    bool HasActiveDocument() const override;
    void ShowLogPane() override;
    QString ActiveDocumentPath() const override;
    bool IsActiveDocumentModified() const override;
    void SaveActiveDocument() override;
    void OpenCompilerSettings() override;

    void OnErrorLine(int line);
    void OnFinished(const CompileResult& result);
    // The tab of the document being compiled; null once it was closed.
    CEditerTabViewItem* CompiledDocument() const;
    void RunInstallerOf(const CEditerTabViewItem& document);

    CMainFrame& m_frame;
    const Configurator& m_config;
    Prompter& m_prompter;
    CCompileLogLogic* m_logic;
    QPointer<CCompileLogCtrl> m_log;
    CommandTipSource* m_tips;
    QPointer<CScrivoView> m_compiledView;
    bool m_runAfter = false;
};
