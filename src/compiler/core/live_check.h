// CLiveCheck: checks unsaved script text with makensis in the background, never running the script's commands.
#pragma once

#include "compiler/core/compile_command.h"
#include "compiler/core/diagnostic.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

class QProcess;
class QTemporaryDir;

struct LiveCheckRequest {
    QByteArray text;     // UTF-8, as the editor holds it
    QString scriptPath;  // empty for a document never saved
    CompileSettings settings;
};

struct LiveCheckResult {
    // The document's path, which its diagnostics carry; for a document never
    // saved a name of the check's own.
    QString scriptPath;
    QList<Diagnostic> diagnostics;  // located, in the order makensis printed them
    bool fullPass = false;          // the full compile ran to its end
    QStringList unsafeDirectives;   // why the full compile did not run
    bool timedOut = false;          // a pass took longer than the limit
    bool failed = false;            // makensis could not be started
};

// Pass 1 runs the safe preprocessor; pass 2, a full compile into a folder of
// the check's own, runs only for a saved document whose preprocessed text
// holds no directive that runs a program or writes a file. makensis runs at
// low priority in the script's folder (or the editor's with -NOCD), so
// relative includes resolve as for the file. One check at a time: a new one
// cancels the last.
class CLiveCheck : public QObject {
    Q_OBJECT
public:
    // A pass that runs longer than timeLimitMs is killed; what pass 1 found stands.
    explicit CLiveCheck(int timeLimitMs, QObject* parent = nullptr);
    ~CLiveCheck() override;

    void Start(LiveCheckRequest request);
    // Kills the running makensis; no result comes.
    void Cancel();
    bool IsRunning() const { return m_preparing || m_process != nullptr; }
    // The running makensis's process id; 0 when none runs.
    qint64 ProcessId() const;

Q_SIGNALS:
    void Finished(const LiveCheckResult& result);

private:
    enum class Pass { Preprocess, Full };
    void StartPass(Pass pass);
    void OnPassEnded(bool timedOut);
    void OnFailedToStart();
    // Locates the diagnostics off the UI thread, then reports them.
    void Finish(QList<Diagnostic> diagnostics);
    void Deliver(QList<Diagnostic> diagnostics);
    QList<Diagnostic> ReadDiagnostics(const QByteArray& output) const;
    // Takes the process out of use; it is deleted once back in the event loop.
    QProcess* ReleaseProcess();

    int m_timeLimitMs;
    QTimer m_limit;
    QProcess* m_process = nullptr;  // a child; null while none runs
    bool m_preparing = false;       // the text is being made ready for pass 1
    std::shared_ptr<QTemporaryDir> m_scratch;  // the installer, makensis's temporary files, the text's copy
    LiveCheckRequest m_request;
    QByteArray m_stdinText;
    QString m_folder;      // where makensis runs
    QString m_textCopy;    // the text in the scratch folder, where headers' macros are looked up
    Pass m_pass = Pass::Preprocess;
    bool m_overrideCompressor = false;  // the script chooses a compressor
    LiveCheckResult m_result;
    QList<Diagnostic> m_preprocessed;  // what pass 1 found
    int m_run = 0;                     // counts checks, so a late result of a cancelled one is dropped
};
