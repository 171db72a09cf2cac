// DiagnosticsController: fills the problem list after each compile, jumps to a problem's line, marks the editors.
#pragma once

#include "compiler/core/diagnostic.h"

#include <QObject>
#include <QPointer>

class CDiagnosticsList;
class CScrivoView;
class CommandRegistry;
class CompileController;
class ICompileFrame;
struct CompileResult;

class DiagnosticsController : public QObject {
    Q_OBJECT
public:
    // Puts the list under the compile log and registers F4 / Shift+F4.
    DiagnosticsController(CommandRegistry& registry, ICompileFrame& frame, CompileController& compile,
                          QObject* parent);

    CDiagnosticsList* List() const { return m_list; }
    // Selects the problem, opens its file when it has a place and shows the line.
    void GoTo(int index);
    // To the next (+1) or previous (-1) problem, round the end.
    void Step(int delta);
    // A file opened later still shows the marks of the last compile.
    void OnActiveViewChanged();
    // Shows a live check of view's unsaved text in place of what was shown:
    // scriptPath is the name its diagnostics give the view's document, which
    // for a document never saved is not its path.
    void ShowLiveCheck(CScrivoView* view, const QString& scriptPath, const QList<Diagnostic>& diagnostics);

private:
    void OnStarted();
    void OnFinished(const CompileResult& result);
    void OnLogDoubleClicked(int line);
    void MarkView(CScrivoView* view);
    bool IsInView(const Diagnostic& diagnostic, const CScrivoView* view) const;

    ICompileFrame& m_frame;
    CompileController& m_compile;
    CDiagnosticsList* m_list;
    int m_generation = 0;  // counts compiles and live checks, so a view is marked once for each
    QPointer<CScrivoView> m_liveView;  // the view the live check shown was of
    QString m_liveScript;              // and the name its diagnostics give it
};
