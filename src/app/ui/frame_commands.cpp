// FrameCommands: the frame's editing, search, web, help, About and open-folder commands.
#include "app/ui/frame_commands.h"

#include "app/core/command_ids.h"
#include "app/core/command_table.h"
#include "app/core/web_links.h"
#include "app/ui/about_dlg.h"
#include "app/ui/main_frame.h"
#include "config/core/configurator.h"
#include "editor/ui/edit_commands.h"
#include "editor/ui/find_replace_dlg.h"
#include "editor/ui/input_line_dlg.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scrivo_view.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeySequence>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::StringLiterals;
using Sci = QsciScintillaBase;

namespace {

constexpr int kVersionTimeoutMs = 3000;
constexpr int kFileManagerTimeoutMs = 5000;

// The component's key code for a Qt key, or 0 when it has no binding for it.
int ScintillaKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    switch (key) {
    case Qt::Key_Semicolon: return ';';
    case Qt::Key_Backspace: return Sci::SCK_BACK;
    case Qt::Key_Delete: return Sci::SCK_DELETE;
    case Qt::Key_Insert: return Sci::SCK_INSERT;
    case Qt::Key_Escape: return Sci::SCK_ESCAPE;
    default: return 0;
    }
}

}  // namespace

FrameCommands::FrameCommands(CMainFrame& frame, Configurator& config, Prompter& prompter)
    : QObject(&frame), m_frame(frame), m_config(config), m_prompter(prompter),
      m_findDialog(new CFindReplaceDlg(config, prompter, [this] { return ActiveEditor(); }, &frame)) {}

void FrameCommands::ReleaseCommandKeys(QsciScintillaBase& editor) {
    for (const CommandInfo& info : CommandTable()) {
        for (const QString& text : info.keys) {
            const QKeyCombination combo = QKeySequence(text, QKeySequence::PortableText)[0];
            const int key = ScintillaKey(combo.key());
            // Escape stays: the view gives it to open lists and tips first.
            if (key == 0 || key == Sci::SCK_ESCAPE)
                continue;
            int modifiers = 0;
            if (combo.keyboardModifiers() & Qt::ShiftModifier)
                modifiers |= Sci::SCMOD_SHIFT;
            if (combo.keyboardModifiers() & Qt::ControlModifier)
                modifiers |= Sci::SCMOD_CTRL;
            if (combo.keyboardModifiers() & Qt::AltModifier)
                modifiers |= Sci::SCMOD_ALT;
            editor.SendScintilla(Sci::SCI_CLEARCMDKEY, (unsigned long)(key | (modifiers << 16)));
        }
    }
}

QsciScintillaBase* FrameCommands::ActiveEditor() const {
    CScrivoView* view = m_frame.ActiveView();
    return view ? view->Editor() : nullptr;
}

QsciScintillaBase* FrameCommands::FocusedOrActiveEditor() const {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (auto* editor = qobject_cast<QsciScintillaBase*>(w); editor && m_frame.LogPane()->isAncestorOf(editor))
            return editor;
    }
    return ActiveEditor();
}

void FrameCommands::Handle(int id) {
    using namespace Cmd;
    switch (id) {
    case ViewStatistics: QDesktopServices::openUrl(InfoPageUrl(u"vstat"_s)); return;
    case HomeSite: QDesktopServices::openUrl(InfoPageUrl(u"home"_s)); return;
    case OnlineHelp: QDesktopServices::openUrl(InfoPageUrl(u"help"_s)); return;
    case NsisSite: QDesktopServices::openUrl(NsisDocsUrl()); return;
    case Manual: OpenManual(); return;
    case About: ShowAbout(); return;
    case OpenFolder: OpenContainingFolder(); return;
    case Copy:
    case SelectAll:
        if (QsciScintillaBase* target = FocusedOrActiveEditor())
            target->SendScintilla(id == Copy ? Sci::SCI_COPY : Sci::SCI_SELECTALL);
        return;
    default: break;
    }
    // The rest act on the active document and do nothing without one.
    QsciScintillaBase* editor = ActiveEditor();
    if (!editor)
        return;
    switch (id) {
    case Undo: editor->SendScintilla(Sci::SCI_UNDO); break;
    case Redo: editor->SendScintilla(Sci::SCI_REDO); break;
    case Cut: editor->SendScintilla(Sci::SCI_CUT); break;
    case Paste: editor->SendScintilla(Sci::SCI_PASTE); break;
    case Delete: editor->SendScintilla(Sci::SCI_CLEAR); break;
    case Comment: EditCommands::CommentLines(*editor, CommentMode::Comment); break;
    case Uncomment: EditCommands::CommentLines(*editor, CommentMode::Uncomment); break;
    case CommentKey: EditCommands::ToggleComment(*editor); break;
    case UpperCase: EditCommands::TransformSelection(*editor, TransformKind::Upper); break;
    case LowerCase: EditCommands::TransformSelection(*editor, TransformKind::Lower); break;
    case InvertCase: EditCommands::TransformSelection(*editor, TransformKind::Invert); break;
    case QuoteSelection: EditCommands::TransformSelection(*editor, TransformKind::Quote); break;
    case InsertColour: EditCommands::InsertColour(*editor, m_prompter); break;
    case InsertFileName: EditCommands::InsertFileName(*editor, m_prompter); break;
    case Find: m_findDialog->Show(CFindReplaceDlg::Mode::Find); break;
    case Replace: m_findDialog->Show(CFindReplaceDlg::Mode::Replace); break;
    case FindNext: m_findDialog->FindNext(true); break;
    case FindPrevious: m_findDialog->FindNext(false); break;
    case GoToLine: CInputLineDlg::GoToLine(*editor, &m_frame); break;
    default: break;
    }
}

void FrameCommands::OpenContainingFolder() {
    CScrivoView* view = m_frame.ActiveView();
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
    process->start(dbusSend, {u"--session"_s, u"--print-reply"_s, u"--dest=org.freedesktop.FileManager1"_s,
                              u"--type=method_call"_s, u"/org/freedesktop/FileManager1"_s,
                              u"org.freedesktop.FileManager1.ShowItems"_s,
                              // dbus-send splits arrays at commas.
                              u"array:string:"_s + QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).replace(u',', u"%2C"_s),
                              u"string:"_s});
}

void FrameCommands::OpenManual() {
    const QString manual = m_config.GetHelpPath();
    if (!manual.isEmpty() && QFileInfo::exists(manual) && QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        return;
    QDesktopServices::openUrl(InfoPageUrl(u"help"_s));
}

void FrameCommands::ShowAbout() {
    CAboutDlg dialog(QueryNsisVersion(m_config.GetCompilerPath(), kVersionTimeoutMs), &m_frame);
    dialog.exec();
}
