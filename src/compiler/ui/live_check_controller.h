// LiveCheckController: checks the active document's unsaved text while the user types and shows what makensis finds.
#pragma once

#include "editor/ui/scintilla_call.h"

#include <QObject>
#include <string_view>
#include <QPointer>
#include <QSet>
#include <QTimer>

class CLiveCheck;
class CScrivoView;
class CompileController;
class Configurator;
class DiagnosticsController;
class ICompileFrame;
struct LiveCheckResult;

// A check starts once the text has rested (the view's settle pause), at once
// after a paste, an undo or a redo, and is cancelled by the next edit, by a
// compile and by leaving or closing the document. Its errors and warnings
// replace those shown, marked as the live check's, until the next check or
// compile.
class LiveCheckController : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimeLimitMs = 10000;

    LiveCheckController(ICompileFrame& frame, const Configurator& config, CompileController& compile,
                        DiagnosticsController& diagnostics, QObject* parent, int timeLimitMs = kTimeLimitMs);

    const CLiveCheck& Check() const { return *m_check; }
    void OnActiveViewChanged();

private:
    void Watch(CScrivoView* view);
    void OnEdited(CScrivoView* view, int modificationType, std::string_view text, ScintillaCall::Position position,
                  ScintillaCall::Position length);
    void CheckSoonIfPasted(CScrivoView* view, ScintillaCall::Position position, ScintillaCall::Position length);
    void Cancel();
    void CheckNow(CScrivoView* view);
    void OnFinished(const LiveCheckResult& result);

    ICompileFrame& m_frame;
    const Configurator& m_config;
    CompileController& m_compile;
    DiagnosticsController& m_diagnostics;
    CLiveCheck* m_check;
    // Kept as plain objects: they are compared while a view is being destroyed,
    // when it is no longer a CScrivoView.
    QPointer<QObject> m_checkedView;  // whose text the running check holds
    QPointer<QObject> m_pendingView;  // edited since its last check
    QTimer m_soon;                        // after a paste, an undo or a redo
    QSet<const CScrivoView*> m_watched;
};
