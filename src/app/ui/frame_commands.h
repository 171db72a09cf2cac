// FrameCommands: the frame's editing, search, web, help, About and open-folder commands.
#pragma once

#include <QObject>

class CFindReplaceDlg;
class CMainFrame;
class Configurator;
class Prompter;
class QsciScintillaBase;

class FrameCommands : public QObject {
    Q_OBJECT
public:
    FrameCommands(CMainFrame& frame, Configurator& config, Prompter& prompter);

    // Runs the command when it is one of these; other ids are left alone.
    void Handle(int id);

    CFindReplaceDlg* FindDialog() const { return m_findDialog; }

    // Takes from the editing component the keys the command table binds, so
    // that a disabled command's key does not fall through to the component's
    // own binding (Ctrl+L would cut the line instead of doing nothing).
    static void ReleaseCommandKeys(QsciScintillaBase& editor);

private:
    QsciScintillaBase* ActiveEditor() const;
    // The compile log's text when it has the focus, else the active document's editor.
    QsciScintillaBase* FocusedOrActiveEditor() const;
    void OpenContainingFolder();
    void OpenManual();
    void ShowAbout();

    CMainFrame& m_frame;
    Configurator& m_config;
    Prompter& m_prompter;
    CFindReplaceDlg* m_findDialog;
};
