// CMainFrame: the main window: menus, tool bar, tab strip, side pane, documents, log pane and status bar.
#include "app/ui/main_frame.h"

#include "app/core/command_ids.h"
#include "app/core/command_states.h"
#include "app/core/command_table.h"
#include "app/core/document_rules.h"
#include "app/ui/command_actions.h"
#include "compiler/ui/test_run_controller.h"
#include "app/ui/document_set.h"
#include "app/ui/file_tab_ctrl.h"
#include "app/ui/frame_commands.h"
#include "app/ui/frame_hosts.h"
#include "app/ui/frame_status_bar.h"
#include "app/ui/header_compile_hint.h"
#include "compiler/ui/proportional_splitter.h"
#include "app/ui/settings_targets.h"
#include "app/ui/start_page_view.h"
#include "compiler/ui/compile_controller.h"
#include "compiler/ui/diagnostics_controller.h"
#include "compiler/ui/diagnostics_list.h"
#include "compiler/ui/navigation_controller.h"
#include "compiler/ui/live_check_controller.h"
#include "config/core/configurator.h"
#include "editor/ui/find_replace_dlg.h"
#include "editor/ui/scrivo_view.h"
#include "online/ui/online_controller.h"
#include "online/ui/stat_panel.h"
#include "outline/ui/pane_container.h"
#include "outline/ui/side_pane_controller.h"
#include "platform/app_name.h"
#include "wizard/ui/wizard_controller.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kOutlineLeftShare = 1800;   // 18 %
constexpr int kOutlineRightShare = 8200;  // 82 %
constexpr int kDocumentsShare = 8000;     // 80 % above the log
constexpr int kLogPaneLines = 14;         // the least the log pane (log and list) shows when it opens

}  // namespace

CMainFrame::CMainFrame(Configurator& config, Prompter& prompter, const QUrl& startPageContent, QWidget* parent)
    : QMainWindow(parent), m_config(config), m_prompter(prompter) {
    setObjectName(u"CScrivoMainFrame"_s);
    setWindowTitle(kAppName);
    resize(1000, 700);
    m_commands = new CommandActions(this);
    connect(m_commands, &CommandActions::Triggered, this, &CMainFrame::OnCommand);
    m_commands->BuildMenuBar(menuBar());
    m_toolBar = addToolBar(u"工具栏"_s);
    m_toolBar->setMovable(false);
    m_toolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    m_commands->BuildToolBar(m_toolBar);
    m_status = new FrameStatusBar(this);
    setStatusBar(m_status);

    m_startPage = new CNewWizardDlg(startPageContent, this);
    m_startPage->hide();
    BuildLayout();
    m_documents = new DocumentSet(m_config, m_prompter, m_tabs, m_documentArea, m_startPage, this);
    m_tabs->SetTabMenu(m_commands->TabMenu());
    m_sidePane = new SidePaneController(
        m_config, [this] { return m_documents->ActiveView(); }, *m_codePane, this);
    connect(m_documents, &DocumentSet::ActiveChanged, m_sidePane, &SidePaneController::OnActiveViewChanged);
    connect(m_documents, &DocumentSet::TextSettled, m_sidePane, &SidePaneController::OnTextSettled);

    connect(m_tabs, &CFileTabCtrl::CommandPosted, this, &CMainFrame::OnCommand, Qt::QueuedConnection);
    connect(m_startPage, &CNewWizardDlg::CommandPosted, this, &CMainFrame::OnCommand, Qt::QueuedConnection);
    connect(m_startPage, &CNewWizardDlg::StatusText, m_status, &FrameStatusBar::SetSimpleText);
    connect(m_codePane, &CPaneContainer::CloseClicked, this, [this] { OnCommand(Cmd::PaneClose); });
    connect(m_documents, &DocumentSet::CaptionChanged, this, &CMainFrame::UpdateCaption);
    connect(m_documents, &DocumentSet::StatesChanged, this, &CMainFrame::UpdateCommandStates);
    connect(m_documents, &DocumentSet::RecentFilesChanged, this, &CMainFrame::RebuildRecentMenu);
    connect(m_documents, &DocumentSet::TabAdded, this, &CMainFrame::OnTabAdded);
    connect(m_documents, &DocumentSet::ActiveChanged, this, &CMainFrame::OnActiveChanged);
    connect(m_documents, &DocumentSet::EditMenuRequested, this,
            [this](const QPoint& at) { m_commands->EditMenu()->popup(at); });
    m_hosts = std::make_unique<FrameHosts>(*m_documents, *m_status);

    RegisterFileCommands();
    RegisterViewCommands();
    RegisterEncodingCommands();
    m_frameCommands = new FrameCommands(*m_documents, *this, m_config, m_prompter, m_registry, this);
    RegisterControllers();
    CheckHandlers();

    setAcceptDrops(true);
    ApplyStoredLayout();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::RegisterControllers() {
    m_compile = new CompileController(*m_hosts, *this, m_registry, m_config, m_prompter, this);
    connect(m_compile, &CompileController::CompilingChanged, this, &CMainFrame::UpdateCommandStates);
    connect(m_compile, &CompileController::CompressorChanged, this, &CMainFrame::UpdateCommandStates);
    m_diagnostics = new DiagnosticsController(m_registry, *m_hosts, *m_compile, this);
    new TestRunController(m_registry, *m_hosts, *m_compile, *this, m_config, this);
    new HeaderCompileHint(*m_compile, m_registry, *m_documents, m_prompter, *m_status, this);
    connect(m_frameCommands->FindDialog(), &CFindReplaceDlg::Reported, this,
            [this](const QString& text) { m_status->SetPartText(0, text); });
    connect(m_documents, &DocumentSet::LoadProgressChanged, this,
            [this](const QString& text) { m_status->SetPartText(0, text); });
    auto* liveCheck = new LiveCheckController(*m_hosts, m_config, *m_compile, *m_diagnostics, this);
    auto* navigation = new NavigationController(m_registry, *m_hosts, *this, m_config, m_diagnostics->List(),
                                                [this] { UpdateCommandStates(); }, this);
    connect(m_documents, &DocumentSet::ActiveChanged, this, [this, liveCheck, navigation] {
        m_compile->OnActiveViewChanged();
        m_diagnostics->OnActiveViewChanged();
        liveCheck->OnActiveViewChanged();
        navigation->OnActiveViewChanged();
    });
    new SettingsController(m_registry, m_config, m_prompter, this,
                           FrameSettingsTargets(
                               *m_documents, *m_sidePane, *m_compile, [this] { UpdateCaption(); },
                               [this] { ArrangeSidePane(); }));
    m_online = new COnlineController(
        m_registry, *m_hosts, m_config, m_prompter, [this] { UpdateCommandStates(); }, this);
    new WizardController(m_registry, *m_hosts, m_config, m_prompter, this,
                         CStatPanel::Maker(m_online->Service(), m_prompter));
}

void CMainFrame::CheckHandlers() const {
    for (const CommandInfo& info : CommandTable()) {
        if (!m_registry.Has(info.id))
            qWarning("Command %d (%s) has no handler", info.id, qUtf8Printable(info.menuText));
    }
    for (int id = ID_RECENT_FILE_FIRST; id <= ID_RECENT_FILE_LAST; ++id) {
        if (!m_registry.Has(id))
            qWarning("Recent file command %d has no handler", id);
    }
}

void CMainFrame::RegisterFileCommands() {
    DocumentSet& docs = *m_documents;
    CommandRegistry& r = m_registry;
    r.Register(Cmd::NewBlank, [&docs](int) { docs.NewBlank(); });
    r.Register(Cmd::Open, [&docs](int) { docs.OpenWithDialog(false); });
    r.Register(Cmd::NewTemplate, [&docs](int) { docs.OpenWithDialog(true); });
    r.Register(Cmd::Reload, [&docs](int) { docs.Reload(); });
    r.Register(Cmd::Save, [&docs](int) { docs.Save(docs.ActiveDocument()); });
    r.Register(Cmd::SaveAs, [&docs](int) { docs.SaveAs(docs.ActiveDocument()); });
    r.Register(Cmd::SaveAll, [&docs](int) { docs.SaveAll(); });
    r.Register(Cmd::Close, [&docs](int) {
        if (docs.Count() > 0)
            docs.CloseTab(docs.ActiveIndex());
    });
    r.Register(Cmd::CloseAll, [&docs](int) { docs.CloseAll(); });
    r.Register(Cmd::CloseOthers, [&docs](int) { docs.CloseOthers(); });
    r.Register(Cmd::Exit, [this](int) { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); });
    r.Register(Cmd::ClearRecent, [&docs](int) { docs.ClearRecent(); });
    r.RegisterRange(ID_RECENT_FILE_FIRST, ID_RECENT_FILE_LAST,
                    [&docs](int id) { docs.OpenRecent(id - ID_RECENT_FILE_FIRST); });
    for (int id : {Cmd::CopyPath, Cmd::CopyFileName, Cmd::CopyFolder})
        r.Register(id, [&docs](int command) { docs.CopyToClipboard(command); });
}

void CMainFrame::RegisterViewCommands() {
    CommandRegistry& r = m_registry;
    r.Register(Cmd::StartPage, [this](int) { m_documents->ShowStartPage(); });
    r.Register(Cmd::ToggleToolbar, [this](int id) {
        m_toolBar->setVisible(m_toolBar->isHidden());
        m_commands->SetChecked(id, !m_toolBar->isHidden());
    });
    r.Register(Cmd::ToggleStatusBar, [this](int id) {
        m_status->setVisible(m_status->isHidden());
        m_commands->SetChecked(id, !m_status->isHidden());
    });
    r.Register(Cmd::ToggleLog, [this](int) { ToggleLog(); });
    r.Register(Cmd::ToggleOutline, [this](int) { ShowSidePane(!m_outlineShown, false); });
    r.Register(Cmd::ToggleThumbnail, [this](int) { ShowSidePane(false, !m_thumbnailShown); });
    r.Register(Cmd::PaneClose, [this](int) { ShowSidePane(false, false); });
}

void CMainFrame::RegisterEncodingCommands() {
    const auto onActiveView = [this](auto action) {
        return [this, action](int id) {
            if (CScrivoView* view = ActiveView())
                action(*view, id);
            UpdateCommandStates();
        };
    };
    for (int id :
         {Cmd::EncodingAnsi, Cmd::EncodingUtf8NoBom, Cmd::EncodingUtf8, Cmd::EncodingUcs2Be, Cmd::EncodingUcs2Le}) {
        m_registry.Register(
            id, onActiveView([](CScrivoView& view, int command) { view.SetEncoding(*EncodingOfCommand(command)); }));
    }
    m_registry.RegisterRange(Cmd::ReopenCodePageFirst, Cmd::ReopenCodePageLast,
                             onActiveView([](CScrivoView& view, int id) {
                                 view.ReopenWithCodePage(AllCodePages()[size_t(id - Cmd::ReopenCodePageFirst)]);
                             }));
    m_registry.RegisterRange(Cmd::ConvertCodePageFirst, Cmd::ConvertCodePageLast,
                             onActiveView([](CScrivoView& view, int id) {
                                 view.ConvertToCodePage(AllCodePages()[size_t(id - Cmd::ConvertCodePageFirst)]);
                             }));
    m_registry.Register(Cmd::ConvertToCrLf,
                        onActiveView([](CScrivoView& view, int) { view.ConvertLineEnds(LineEnd::CrLf); }));
    m_registry.Register(Cmd::ConvertToLf, onActiveView([](CScrivoView& view, int) { view.ConvertLineEnds(LineEnd::Lf); }));
    for (int id : {Cmd::ConvertToCrLf, Cmd::ConvertToLf})
        m_registry.RegisterEnabledRule(id, [this] { return ActiveView() != nullptr; });
}

void CMainFrame::BuildLayout() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new CFileTabCtrl(central);
    layout->addWidget(m_tabs);

    m_mainSplitter = new ProportionalSplitter(Qt::Horizontal, central);
    m_codePane = new CPaneContainer(u"视图"_s, m_mainSplitter);
    m_editorSplitter = new ProportionalSplitter(Qt::Vertical, m_mainSplitter);
    m_documentArea = new QStackedWidget(m_editorSplitter);
    m_logPane = new QWidget(m_editorSplitter);
    auto* logLayout = new QVBoxLayout(m_logPane);
    logLayout->setContentsMargins(0, 0, 0, 0);
    m_editorSplitter->addWidget(m_documentArea);
    m_editorSplitter->addWidget(m_logPane);
    m_editorSplitter->SetShare(kDocumentsShare);
    m_logPane->hide();
    layout->addWidget(m_mainSplitter, 1);
    setCentralWidget(central);
    m_codePane->hide();
}

void CMainFrame::ArrangeSidePane() {
    const bool left = m_config.Base().CodeViewLeft != 0;
    m_mainSplitter->insertWidget(left ? 0 : 1, m_codePane);
    m_mainSplitter->SetShare(left ? kOutlineLeftShare : kOutlineRightShare);
}

void CMainFrame::ApplyStoredLayout() {
    const BaseConfig& base = m_config.Base();
    ArrangeSidePane();
    m_toolBar->setVisible(base.ShowToolbar != 0);
    m_commands->SetChecked(Cmd::ToggleToolbar, base.ShowToolbar != 0);
    m_status->setVisible(base.ShowSatusbar != 0);
    m_commands->SetChecked(Cmd::ToggleStatusBar, base.ShowSatusbar != 0);
    if (base.ShowCodeTree >= 1)
        ShowSidePane(true, false);
    else
        ShowSidePane(false, base.ShowCodeView != 0);
}

void CMainFrame::ShowSidePane(bool outline, bool thumbnail) {
    m_outlineShown = outline;
    m_thumbnailShown = thumbnail && !outline;
    m_sidePane->Show(m_outlineShown, m_thumbnailShown);
    m_codePane->setVisible(m_outlineShown || m_thumbnailShown);
    m_commands->SetChecked(Cmd::ToggleOutline, m_outlineShown);
    m_commands->SetChecked(Cmd::ToggleThumbnail, m_thumbnailShown);
    if (m_codePane->isVisibleTo(this))
        ArrangeSidePane();
}

bool CMainFrame::IsLogShown() const { return !m_logPane->isHidden(); }

void CMainFrame::RevealLog() {
    if (!IsLogShown())
        ToggleLog();
}

void CMainFrame::ToggleLog() {
    m_logPane->setVisible(!IsLogShown());
    m_commands->SetChecked(Cmd::ToggleLog, IsLogShown());
    if (!IsLogShown())
        return;
    // The log opens tall enough to read some lines of output, though never above half the height.
    const int total = m_editorSplitter->height();
    const int wanted = kLogPaneLines * m_logPane->fontMetrics().lineSpacing();
    int share = m_editorSplitter->Share();
    if (total > 0 && total - qint64(total) * share / ProportionalSplitter::kWhole < wanted)
        share = std::max(ProportionalSplitter::kWhole / 2,
                         int(ProportionalSplitter::kWhole - qint64(wanted) * ProportionalSplitter::kWhole / total));
    m_editorSplitter->SetShare(share);
}

CScrivoView* CMainFrame::ActiveView() const { return m_documents->ActiveView(); }

void CMainFrame::OpenInitialDocuments(const CommandLine& commandLine) {
    if (m_config.Base().OpenLastFiles) {
        CTabViewItem* toActivate = nullptr;
        for (const OpenFileEntry& entry : ParseOpenFiles(m_config.ReadOpenFiles(), m_config.ReadOpenFileCodePages())) {
            bool opened = false;
            if (entry.startPage) {
                m_documents->ShowStartPage();
                opened = true;
            } else if (QFileInfo(entry.path).isFile()) {
                opened = m_documents->OpenDocument(entry.path, false);
                ReadInStoredCodePage(entry);
            }
            if (opened && entry.active)
                toActivate = m_documents->ActiveItem();
        }
        for (int i = 0; toActivate && i < m_documents->Count(); ++i) {
            if (m_documents->Item(i) == toActivate)
                m_documents->Activate(i);
        }
    }
    if (!commandLine.path.isEmpty() && QFileInfo(commandLine.path).isFile())
        m_documents->OpenDocument(commandLine.path, false);
    if (m_documents->Count() == 0)
        m_documents->ShowStartPage();
    UpdateCaption();
    UpdateCommandStates();
    if (commandLine.compile)
        OnCommand(Cmd::Compile);
}

void CMainFrame::ReadInStoredCodePage(const OpenFileEntry& entry) {
    CScrivoView* view = ActiveView();
    if (!entry.codePage || !view)
        return;
    // A large file is read again once its first load has shown.
    view->WhenLoaded([view, entry] {
        if (view->Path() != entry.path)
            return;
        if (view->Encoding() != TextEncoding::Ansi || view->Document().Page() != *entry.codePage)
            view->ReopenWithCodePage(*entry.codePage);
    });
}

void CMainFrame::OnHandOver(const HandOverMessage& message) {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (!message.path.isEmpty() && QFileInfo(message.path).isFile())
        m_documents->OpenDocument(message.path, false);
    UpdateCaption();
    UpdateCommandStates();
    if (message.compile)
        OnCommand(Cmd::Compile);
}

void CMainFrame::OnCommand(int id) { m_registry.Dispatch(id); }

void CMainFrame::UpdateCaption() { setWindowTitle(m_documents->Caption()); }

void CMainFrame::UpdateCommandStates() {
    if (!m_documents || !m_compile || !m_online)
        return;
    CEditerTabViewItem* document = m_documents->ActiveDocument();
    CScrivoView* view = document ? document->View() : nullptr;
    std::optional<DocumentState> state;
    if (view) {
        const ViewState shown = view->State();
        DocumentState d;
        const QString path = view->Path();
        d.modified = shown.modified;
        d.hasPath = !path.isEmpty();
        d.fileExists = d.hasPath && QFileInfo(path).isFile();
        d.isNsiScript = path.endsWith(u".nsi"_s, Qt::CaseInsensitive);
        for (int i = 0; i < m_documents->Count(); ++i) {
            const CEditerTabViewItem* other = m_documents->DocumentAt(i);
            d.anyModified = d.anyModified || (other && other->IsModified());
        }
        d.canUndo = shown.canUndo;
        d.canRedo = shown.canRedo;
        d.canPaste = shown.canPaste;
        d.hasSelection = shown.selectionLength != 0;
        const QString installer = m_compile->InstallerOf(view);
        d.installerExists = !installer.isEmpty() && QFileInfo(installer).isFile();
        d.encoding = view->Encoding();
        state = d;
    }
    const CommandStates states = ComputeCommandStates(state, m_compile->IsCompiling());
    for (auto [id, enabled] : states.enabled)
        m_commands->SetEnabled(id, enabled);
    for (auto [id, enabled] : m_registry.EvaluateEnabledRules())
        m_commands->SetEnabled(id, enabled);
    for (auto [id, checked] : m_registry.EvaluateCheckedRules())
        m_commands->SetChecked(id, checked);
    for (const auto& [id, text] : m_registry.EvaluateTextRules())
        m_commands->SetText(id, text);
    if (states.checkedEncoding)
        m_commands->SetChecked(*states.checkedEncoding, true);
    m_status->SetMultiPart(view != nullptr);
    UpdateStatusBar();
    if (view)
        m_documents->TrackModified();
}

void CMainFrame::UpdateStatusBar() {
    const CScrivoView* view = ActiveView();
    if (!view) {
        for (int part = 1; part <= 5; ++part)
            m_status->SetPartText(part, {});
        return;
    }
    const ViewState shown = view->State();
    m_status->SetPartText(1, SignInStatusText(m_online->IsSignedIn()));
    m_status->SetPartText(2, CaretStatusText(shown.line + 1, shown.column + 1, shown.selectionLength));
    m_status->SetPartText(3, CountStatusText(shown.lineCount, shown.characters));
    m_status->SetPartText(4, view->EncodingText());
    m_status->SetPartText(5, LineEndName(view->Document().LineEnding()));
    m_status->SetPartText(6, OvertypeStatusText(shown.overtype));
}

void CMainFrame::RebuildRecentMenu() {
    const QStringList recent = m_config.RecentFiles();
    m_commands->RebuildRecentMenu(recent);
    m_startPage->RefreshRecent(recent);
}

void CMainFrame::OnTabAdded() {
    // The first document decides, once, that the outline is wanted; the
    // start page of a fresh install has nothing to outline.
    if (!m_documents->DocumentAt(m_documents->Count() - 1))
        return;
    if (m_config.Base().ShowCodeTree == -1 && !m_outlineShown) {
        ShowSidePane(true, false);
        m_config.Base().ShowCodeTree = 1;
        m_config.SaveBaseConfig();
    }
}

void CMainFrame::OnActiveChanged() {
    m_status->SetMultiPart(ActiveView() != nullptr);
    if (CScrivoView* view = ActiveView())
        FrameCommands::ReleaseCommandKeys(view->Call());
}

void CMainFrame::SaveWindowState() {
    BaseConfig& base = m_config.Base();
    const BaseConfig before = base;
    base.ShowMaximized = isMaximized() ? 1 : 0;
    base.Compressor = m_compile->Compressor();
    base.ShowToolbar = m_toolBar->isHidden() ? 0 : 1;
    base.ShowSatusbar = m_status->isHidden() ? 0 : 1;
    base.ShowCodeTree = m_outlineShown ? 1 : (before.ShowCodeTree == -1 ? -1 : 0);
    base.ShowCodeView = m_thumbnailShown ? 1 : 0;
    bool changed = !(base == before);
    if (base.OpenLastFiles) {
        QStringList entries;
        std::vector<int> codePages;
        for (const OpenFileEntry& entry : m_documents->OpenFileEntries()) {
            entries << FormatOpenFile(entry);
            codePages.push_back(entry.codePage ? int(*entry.codePage) : -1);
        }
        changed = m_config.WriteOpenFiles(entries, codePages) || changed;
    }
    if (changed)
        m_config.SaveBaseConfig();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Each question shows its document; a cancelled exit stays on the one asked about.
    const int active = m_documents->ActiveIndex();
    for (int i = 0; i < m_documents->Count(); ++i) {
        const CEditerTabViewItem* document = m_documents->DocumentAt(i);
        if (document && document->IsModified() && i != m_documents->ActiveIndex())
            m_documents->Activate(i);
        if (m_documents->PromptSaveChanges(m_documents->Item(i)) == PromptAnswer::Cancel) {
            event->ignore();
            return;
        }
    }
    // The tab the user worked in is the one stored as active.
    if (active >= 0 && m_documents->ActiveIndex() != active)
        m_documents->Activate(active);
    SaveWindowState();
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Coming back to the window may reveal changes other programs made to the file.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (CTabViewItem* item = m_documents->ActiveItem())
            item->SetFocus();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    m_documents->DropFiles(paths);
    event->acceptProposedAction();
}
