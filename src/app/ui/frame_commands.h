// FrameCommands: the frame's editing, search, web, help, About and open-folder commands.
#pragma once

#include <QObject>
#include <QUrl>
#include <functional>

class CFindReplaceDlg;
class CommandRegistry;
class Configurator;
class DocumentSet;
class ILogPane;
class Prompter;
class QWidget;
class ScintillaCall;

class FrameCommands : public QObject {
    Q_OBJECT
public:
    // Registers the commands; window is the parent of the dialogs they open.
    FrameCommands(DocumentSet& documents, const ILogPane& logPane, Configurator& config, Prompter& prompter,
                  CommandRegistry& registry, QWidget* window);

    CFindReplaceDlg* FindDialog() const { return m_findDialog; }

    // Takes from the editing component the keys the command table binds, so
    // that a disabled command's key does not fall through to the component's
    // own binding (Ctrl+L would cut the line instead of doing nothing).
    static void ReleaseCommandKeys(ScintillaCall& editor);

private:
    void RegisterWebCommands(CommandRegistry& registry);
    void RegisterEditorCommands(CommandRegistry& registry);
    // Registers a command that acts on the active document's editor and does nothing without one.
    void OnActiveEditor(CommandRegistry& registry, int id, std::function<void(ScintillaCall&)> action);
    ScintillaCall* ActiveEditor() const;
    // The compile log's text when it has the focus, else the active document's editor.
    ScintillaCall* FocusedOrActiveEditor() const;
    void OpenContainingFolder();
    // A page of the maker's information server, which a deployment may have moved in config.xml.
    QUrl MakerPage(const QString& query) const;
    void OpenManual();
    // Says so when no browser could be started.
    void OpenWebPage(const QUrl& url);
    void ShowAbout();

    DocumentSet& m_documents;
    const ILogPane& m_logPane;
    QWidget* m_window;
    Configurator& m_config;
    Prompter& m_prompter;
    CFindReplaceDlg* m_findDialog;
};
