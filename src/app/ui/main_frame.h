// CMainFrame: the main window: menus, tool bar, tab strip, side pane, documents, log pane and status bar.
#pragma once

#include "app/core/command_line.h"
#include "app/core/command_registry.h"
#include "app/core/instance_channel.h"
#include "compiler/ui/log_pane.h"

#include <QMainWindow>
#include <QUrl>

#include <memory>

class CFileTabCtrl;
struct OpenFileEntry;
class CNewWizardDlg;
class COnlineController;
class CPaneContainer;
class CScrivoView;
class CommandActions;
class CompileController;
class Configurator;
class DiagnosticsController;
class DocumentSet;
class FrameCommands;
class FrameHosts;
class FrameStatusBar;
class Prompter;
class ProportionalSplitter;
class SidePaneController;
class QStackedWidget;
class QToolBar;

class CMainFrame : public QMainWindow, private ILogPane {
    Q_OBJECT
public:
    // startPageContent: the maker's page shown on the start page; empty for none.
    CMainFrame(Configurator& config, Prompter& prompter, const QUrl& startPageContent, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Sign-in, statistics code and update check.
    COnlineController& Online() const { return *m_online; }

    // Opens the documents left open at the last exit and the command line's file.
    void OpenInitialDocuments(const CommandLine& commandLine);
    void OnHandOver(const HandOverMessage& message);
    // Runs the command's registered handler.
    void OnCommand(int id);

    void UpdateCaption();
    void UpdateCommandStates();
    void RebuildRecentMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* Area() const override { return m_logPane; }
    bool IsLogShown() const override;
    // Puts the side pane on the side that `CodeViewLeft` names.
    void ArrangeSidePane();
    void RevealLog() override;

    // The active document's editor view; null while the start page is active.
    CScrivoView* ActiveView() const;
    void RegisterFileCommands();
    // The compile, problem list, settings, statistics and wizard controllers.
    void RegisterControllers();
    // Every item of the table reaches a handler; a missing one is a fault.
    void CheckHandlers() const;
    void RegisterViewCommands();
    void RegisterEncodingCommands();
    // A document left open as ANSI text is read in the code page it had.
    void ReadInStoredCodePage(const OpenFileEntry& entry);
    void BuildLayout();
    void ApplyStoredLayout();
    void ShowSidePane(bool outline, bool thumbnail);
    void ToggleLog();
    void OnTabAdded();
    void OnActiveChanged();
    void UpdateStatusBar();
    void SaveWindowState();

    Configurator& m_config;
    Prompter& m_prompter;
    CommandRegistry m_registry;
    CommandActions* m_commands = nullptr;
    QToolBar* m_toolBar = nullptr;
    FrameStatusBar* m_status = nullptr;
    CFileTabCtrl* m_tabs = nullptr;
    ProportionalSplitter* m_mainSplitter = nullptr;
    ProportionalSplitter* m_editorSplitter = nullptr;
    CPaneContainer* m_codePane = nullptr;
    QStackedWidget* m_documentArea = nullptr;
    QWidget* m_logPane = nullptr;
    CNewWizardDlg* m_startPage = nullptr;
    DocumentSet* m_documents = nullptr;
    SidePaneController* m_sidePane = nullptr;
    FrameCommands* m_frameCommands = nullptr;
    std::unique_ptr<FrameHosts> m_hosts;
    CompileController* m_compile = nullptr;
    DiagnosticsController* m_diagnostics = nullptr;
    COnlineController* m_online = nullptr;
    bool m_outlineShown = false;
    bool m_thumbnailShown = false;
};
