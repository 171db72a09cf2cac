// CMainFrame: the main window: menus, tool bar, tab strip, side pane, documents, log pane and status bar.
#pragma once

#include "app/core/command_line.h"
#include "app/core/command_registry.h"
#include "app/core/instance_channel.h"
#include "app/ui/log_pane.h"

#include <QMainWindow>
#include <QUrl>

class CFileTabCtrl;
struct OpenFileEntry;
class CNewWizardDlg;
class COnlineController;
class CPaneContainer;
class CScrivoView;
class CommandActions;
class CompileController;
class Configurator;
class DocumentSet;
class FrameCommands;
class FrameStatusBar;
class Prompter;
class ProportionalSplitter;
class SidePaneController;
class TestRunController;
class QStackedWidget;
class QToolBar;

class CMainFrame : public QMainWindow, private ILogPane {
    Q_OBJECT
public:
    // startPageContent: the maker's page shown on the start page; empty for none.
    CMainFrame(Configurator& config, Prompter& prompter, const QUrl& startPageContent, QWidget* parent = nullptr);
    ~CMainFrame() override;

    DocumentSet& Documents() const { return *m_documents; }
    CommandActions& Commands() const { return *m_commands; }
    // Every command's handler; subsystems register theirs here.
    CommandRegistry& Registry() { return m_registry; }
    // Editing, search, web, help and About commands, with the find dialog.
    FrameCommands& EditingCommands() const { return *m_frameCommands; }
    CFileTabCtrl* Tabs() const { return m_tabs; }
    CNewWizardDlg* StartPage() const { return m_startPage; }
    FrameStatusBar* Status() const { return m_status; }
    // Side pane "视图": the outline tree and the thumbnail are added to it.
    CPaneContainer* CodePane() const { return m_codePane; }
    // The outline tree and the thumbnail in that pane.
    SidePaneController& SidePane() const { return *m_sidePane; }
    // The compile driver with its log.
    CompileController& Compiler() const { return *m_compile; }
    TestRunController& TestRuns() const { return *m_testRun; }
    // Sign-in, statistics code and update check.
    COnlineController& Online() const { return *m_online; }

    // The active document's editor view; null while the start page is active.
    CScrivoView* ActiveView() const;

    // Opens the documents left open at the last exit and the command line's file.
    void OpenInitialDocuments(const CommandLine& commandLine);
    void OnHandOver(const HandOverMessage& message);
    // Runs the command's registered handler.
    void OnCommand(int id);

    void UpdateCaption();
    void UpdateCommandStates();
    void RebuildRecentMenu();

    bool IsOutlineShown() const { return m_outlineShown; }
    bool IsThumbnailShown() const { return m_thumbnailShown; }
    bool IsLogShown() const override;
    // Puts the side pane on the side that `CodeViewLeft` names.
    void ArrangeSidePane();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* Area() const override { return m_logPane; }
    void RevealLog() override;

    void RegisterFileCommands();
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
    CompileController* m_compile = nullptr;
    TestRunController* m_testRun = nullptr;
    COnlineController* m_online = nullptr;
    bool m_outlineShown = false;
    bool m_thumbnailShown = false;
};
