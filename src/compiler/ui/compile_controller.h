// CompileController: the frame's compile driver: compile commands, the log pane, error jumps, the built installer.
#pragma once

#include "compiler/core/compile_request.h"
#include "compiler/ui/compile_log_ctrl.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class CCompileLogLogic;
class CScrivoView;
class CommandRegistry;
class CommandTipSource;
class Configurator;
class ICompileFrame;
class ILogPane;
class Prompter;
struct CompileResult;

class CompileController : public QObject, private ICompileHost {
    Q_OBJECT
public:
    // Puts the log into the log pane, starts the command-help reader, as
    // creating the log does, and registers the compile commands and the
    // compressor items.
    CompileController(ICompileFrame& frame, ILogPane& logPane, CommandRegistry& registry, const Configurator& config,
                      Prompter& prompter, QObject* parent);
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
    bool IsCompiling() const { return m_compiling; }

    // The compressor chosen in the menu, 0 to 7.
    int Compressor() const { return m_compressor; }
    void SetCompressor(int compressor);
    // Where the last compile of the view's document wrote its installer; empty for none.
    QString InstallerOf(const CScrivoView* view) const { return m_installers.value(view); }
    // The tips follow the active document.
    void OnActiveViewChanged();

Q_SIGNALS:
    void CompilingChanged(bool compiling);
    // The compressor items' check marks changed.
    void CompressorChanged();
    // The compile key reached a header (.nsh), which makensis does not compile on its own.
    void HeaderRefused(const QString& path);

private:
    bool HasActiveDocument() const override;
    void ShowLogPane() override;
    QString ActiveDocumentPath() const override;
    bool IsActiveDocumentModified() const override;
    std::optional<CodePage> ActiveDocumentCodePage() const override;
    void SaveActiveDocument() override;
    void OpenCompilerSettings() override;

    void RegisterCommands(CommandRegistry& registry);
    void SetCompiling(bool compiling);
    void OnErrorLine(int line);
    void OnFinished(const CompileResult& result);
    // The view of the document being compiled; null once its tab was closed.
    CScrivoView* CompiledView() const;
    void SetInstaller(CScrivoView* view, const QString& path);
    void RunInstallerOf(const QString& installer);
    // F1: the manual at the keyword under the mouse or at the caret.
    void OpenContextHelp();

    ICompileFrame& m_frame;
    ILogPane& m_logPane;
    CommandRegistry& m_registry;
    const Configurator& m_config;
    Prompter& m_prompter;
    CCompileLogLogic* m_logic;
    QPointer<CCompileLogCtrl> m_log;
    CommandTipSource* m_tips;
    QPointer<CScrivoView> m_compiledView;
    QHash<const CScrivoView*, QString> m_installers;
    bool m_runAfter = false;
    bool m_compiling = false;
    int m_compressor = 0;
};
