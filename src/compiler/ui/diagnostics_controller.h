// DiagnosticsController: fills the problem list after each compile, jumps to a problem's line, marks the editors.
#pragma once

#include <QObject>

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

private:
    void OnStarted();
    void OnFinished(const CompileResult& result);
    void OnLogDoubleClicked(int line);
    void MarkView(CScrivoView* view);

    ICompileFrame& m_frame;
    CompileController& m_compile;
    CDiagnosticsList* m_list;
    int m_generation = 0;  // counts compiles, so a view is marked once per compile
};
