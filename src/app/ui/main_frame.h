// CMainFrame: the main window: menus, tool bar, tab strip, side pane, documents, log pane and status bar.
#pragma once

#include "app/core/command_line.h"
#include "app/core/instance_channel.h"

#include <QMainWindow>
#include <QUrl>

class CFileTabCtrl;
class CNewWizardDlg;
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
class QStackedWidget;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // startPageContent: the maker's page shown on the start page; empty for none.
    CMainFrame(Configurator& config, Prompter& prompter, const QUrl& startPageContent, QWidget* parent = nullptr);
    ~CMainFrame() override;

    DocumentSet& Documents() const { return *m_documents; }
    CommandActions& Commands() const { return *m_commands; }
    // Editing, search, web, help and About commands, with the find dialog.
    FrameCommands& EditingCommands() const { return *m_frameCommands; }
    CFileTabCtrl* Tabs() const { return m_tabs; }
    CNewWizardDlg* StartPage() const { return m_startPage; }
    FrameStatusBar* Status() const { return m_status; }
    // Side pane "视图": the outline tree and the thumbnail are added to it.
    CPaneContainer* CodePane() const { return m_codePane; }
    // The outline tree and the thumbnail in that pane.
    SidePaneController& SidePane() const { return *m_sidePane; }
    // The pane below the documents where the compile log goes.
    QWidget* LogPane() const { return m_logPane; }
    // The compile driver with its log.
    CompileController& Compiler() const { return *m_compile; }

    // The active document's editor view; null while the start page is active.
    CScrivoView* ActiveView() const;

    // Opens the documents left open at the last exit and the command line's file.
    void OpenInitialDocuments(const CommandLine& commandLine);
    void OnHandOver(const HandOverMessage& message);
    void OnCommand(int id);

    void UpdateCaption();
    void UpdateCommandStates();
    void RebuildRecentMenu();

    int Compressor() const { return m_compressor; }
    bool IsOutlineShown() const { return m_outlineShown; }
    bool IsThumbnailShown() const { return m_thumbnailShown; }
    bool IsLogShown() const;
    // The compile driver reports whether a compile runs.
    void SetCompiling(bool compiling);

Q_SIGNALS:
    // The active tab changed: the outline rebuilds, the thumbnail follows.
    void ActiveViewChanged(CScrivoView* view);
    // The active document's text rested after an edit: the outline re-reads it.
    void ActiveTextSettled(CScrivoView* view);
    // Compile (run = false) or compile and run: handled by the compile driver.
    void CompileRequested(bool run);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildLayout();
    void ApplyStoredLayout();
    void ArrangeSidePane();
    void ShowSidePane(bool outline, bool thumbnail);
    void SetCompressor(int compressor);
    void ToggleLog();
    void OnTabAdded();
    void OnActiveChanged();
    void UpdateStatusBar();
    void SaveWindowState();

    Configurator& m_config;
    Prompter& m_prompter;
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
    int m_compressor = 0;
    bool m_outlineShown = false;
    bool m_thumbnailShown = false;
    bool m_compiling = false;
};
