// FrameCommands: the frame's editing, search, web, help, About and open-folder commands.
#include "app/ui/frame_commands.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "app/core/command_table.h"
#include "app/core/web_links.h"
#include "app/ui/about_dlg.h"
#include "app/ui/document_set.h"
#include "compiler/ui/log_pane.h"
#include "config/core/configurator.h"
#include "editor/ui/edit_commands.h"
#include "editor/ui/find_replace_dlg.h"
#include "editor/ui/input_line_dlg.h"
#include "editor/ui/scrivo_view.h"
#include "online/core/online_servers.h"
#include "platform/app_name.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeySequence>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::StringLiterals;
using Sc = ScintillaCall;

namespace {

constexpr int kVersionTimeoutMs = 3000;
constexpr int kFileManagerTimeoutMs = 5000;

// The component's key code for a Qt key, or 0 when it has no binding for it.
int ScintillaKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    switch (key) {
    case Qt::Key_Semicolon: return ';';
    case Qt::Key_Backspace: return Sc::kKeyBack;
    case Qt::Key_Delete: return Sc::kKeyDelete;
    case Qt::Key_Insert: return Sc::kKeyInsert;
    case Qt::Key_Escape: return Sc::kKeyEscape;
    default: return 0;
    }
}

}  // namespace

FrameCommands::FrameCommands(DocumentSet& documents, const ILogPane& logPane, Configurator& config, Prompter& prompter,
                             CommandRegistry& registry, QWidget* window)
    : QObject(window),
      m_documents(documents),
      m_logPane(logPane),
      m_window(window),
      m_config(config),
      m_prompter(prompter),
      m_findDialog(new CFindReplaceDlg(
          config, prompter, [this] { return ActiveEditor(); }, window)) {
    RegisterWebCommands(registry);
    RegisterEditorCommands(registry);
}

void FrameCommands::ReleaseCommandKeys(ScintillaCall& editor) {
    for (const CommandInfo& info : CommandTable()) {
        for (const QString& text : info.keys) {
            const QKeyCombination combo = QKeySequence(text, QKeySequence::PortableText)[0];
            const int key = ScintillaKey(combo.key());
            // Escape stays: the view gives it to open lists and tips first.
            if (key == 0 || key == Sc::kKeyEscape)
                continue;
            int modifiers = 0;
            if (combo.keyboardModifiers() & Qt::ShiftModifier)
                modifiers |= Sc::kKeyModShift;
            if (combo.keyboardModifiers() & Qt::ControlModifier)
                modifiers |= Sc::kKeyModCtrl;
            if (combo.keyboardModifiers() & Qt::AltModifier)
                modifiers |= Sc::kKeyModAlt;
            editor.ClearCmdKey(key | (modifiers << 16));
        }
    }
}

ScintillaCall* FrameCommands::ActiveEditor() const {
    CScrivoView* view = m_documents.ActiveView();
    return view ? &view->Call() : nullptr;
}

ScintillaCall* FrameCommands::FocusedOrActiveEditor() const {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (auto* text = qobject_cast<CNsisTextView*>(w); text && m_logPane.Area()->isAncestorOf(text))
            return &text->Call();
    }
    return ActiveEditor();
}

void FrameCommands::RegisterWebCommands(CommandRegistry& registry) {
    using namespace Cmd;
    const auto openMakerPage = [this, &registry](int id, const QString& query) {
        registry.Register(id, [this, query](int) { OpenWebPage(MakerPage(query)); });
    };
    openMakerPage(ViewStatistics, u"vstat"_s);
    openMakerPage(HomeSite, u"home"_s);
    openMakerPage(OnlineHelp, u"help"_s);
    registry.Register(NsisSite, [this](int) { OpenWebPage(NsisDocsUrl()); });
    registry.Register(Manual, [this](int) { OpenManual(); });
    registry.Register(About, [this](int) { ShowAbout(); });
    registry.Register(OpenFolder, [this](int) { OpenContainingFolder(); });
}

void FrameCommands::OnActiveEditor(CommandRegistry& registry, int id, std::function<void(ScintillaCall&)> action) {
    registry.Register(id, [this, action = std::move(action)](int) {
        if (ScintillaCall* editor = ActiveEditor())
            action(*editor);
    });
}

void FrameCommands::RegisterEditorCommands(CommandRegistry& registry) {
    using namespace Cmd;
    // Copy and Select All also serve the compile log when it has the focus.
    registry.Register(Copy, [this](int) {
        if (ScintillaCall* target = FocusedOrActiveEditor())
            target->Copy();
    });
    registry.Register(SelectAll, [this](int) {
        if (ScintillaCall* target = FocusedOrActiveEditor())
            target->SelectAll();
    });
    const auto send = [this, &registry](int id, void (ScintillaCall::*message)()) {
        OnActiveEditor(registry, id, [message](ScintillaCall& editor) { (editor.*message)(); });
    };
    send(Undo, &Sc::Undo);
    send(Redo, &Sc::Redo);
    send(Cut, &Sc::Cut);
    send(Paste, &Sc::Paste);
    send(Delete, &Sc::Clear);
    const auto comment = [this, &registry](int id, CommentMode mode) {
        OnActiveEditor(registry, id, [mode](ScintillaCall& editor) { EditCommands::CommentLines(editor, mode); });
    };
    comment(Comment, CommentMode::Comment);
    comment(Uncomment, CommentMode::Uncomment);
    OnActiveEditor(registry, CommentKey, [](ScintillaCall& editor) { EditCommands::ToggleComment(editor); });
    const auto transform = [this, &registry](int id, TransformKind kind) {
        OnActiveEditor(registry, id,
                       [kind](ScintillaCall& editor) { EditCommands::TransformSelection(editor, kind); });
    };
    transform(UpperCase, TransformKind::Upper);
    transform(LowerCase, TransformKind::Lower);
    transform(InvertCase, TransformKind::Invert);
    transform(QuoteSelection, TransformKind::Quote);
    OnActiveEditor(registry, InsertColour,
                   [this](ScintillaCall& editor) { EditCommands::InsertColour(editor, m_prompter); });
    OnActiveEditor(registry, InsertFileName,
                   [this](ScintillaCall& editor) { EditCommands::InsertFileName(editor, m_prompter); });
    OnActiveEditor(registry, Find, [this](ScintillaCall&) { m_findDialog->Show(CFindReplaceDlg::Mode::Find); });
    OnActiveEditor(registry, Replace,
                   [this](ScintillaCall&) { m_findDialog->Show(CFindReplaceDlg::Mode::Replace); });
    OnActiveEditor(registry, FindNext, [this](ScintillaCall&) { m_findDialog->FindNext(true); });
    OnActiveEditor(registry, FindPrevious, [this](ScintillaCall&) { m_findDialog->FindNext(false); });
    OnActiveEditor(registry, GoToLine,
                   [this](ScintillaCall& editor) { CInputLineDlg::GoToLine(editor, m_window); });
}

void FrameCommands::OpenContainingFolder() {
    CScrivoView* view = m_documents.ActiveView();
    const QString path = view ? view->Path() : QString();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    const QString folder = QFileInfo(path).absolutePath();
    const QString dbusSend = QStandardPaths::findExecutable(u"dbus-send"_s);
    if (dbusSend.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
        return;
    }
    // The file manager shows the folder with the file selected; without one
    // on the session bus the folder alone is opened. Asynchronous, so a slow
    // or missing bus never stalls the window.
    auto* process = new QProcess(this);
    connect(process, &QProcess::finished, this, [process, folder](int exitCode, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || exitCode != 0)
            QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
        process->deleteLater();
    });
    connect(process, &QProcess::errorOccurred, this, [process, folder](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
            process->deleteLater();
        }
    });
    QTimer::singleShot(kFileManagerTimeoutMs, process, [process] { process->kill(); });
    process->start(
        dbusSend,
        {u"--session"_s, u"--print-reply"_s, u"--dest=org.freedesktop.FileManager1"_s, u"--type=method_call"_s,
         u"/org/freedesktop/FileManager1"_s, u"org.freedesktop.FileManager1.ShowItems"_s,
         // dbus-send splits arrays at commas.
         u"array:string:"_s + QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).replace(u',', u"%2C"_s),
         u"string:"_s});
}

QUrl FrameCommands::MakerPage(const QString& query) const {
    return MakerPageUrl(ResolveOnlineServers(m_config.Servers()), query);
}

void FrameCommands::OpenManual() {
    const QString manual = m_config.GetHelpPath();
    if (!manual.isEmpty() && QFileInfo::exists(manual) && QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        return;
    OpenWebPage(MakerPage(u"help"_s));
}

void FrameCommands::OpenWebPage(const QUrl& url) {
    if (!QDesktopServices::openUrl(url))
        m_prompter.Ask(u"无法启动网页浏览器打开：\n%1"_s.arg(url.toString()), kAppName, PromptIcon::Warning,
                       PromptButtons::Ok);
}

void FrameCommands::ShowAbout() {
    CAboutDlg dialog(QueryNsisVersion(m_config.GetCompilerPath(), kVersionTimeoutMs),
                     MakerSiteUrl(ResolveOnlineServers(m_config.Servers())), m_window);
    dialog.exec();
}
