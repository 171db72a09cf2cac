// CCompileLogLogic: the compile worker that runs makensis and reports its output to the UI thread.
#pragma once

#include "compiler/core/compile_command.h"
#include "compiler/core/diagnostic.h"
#include "platform/thread.h"
#include "text/core/code_page.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <sys/types.h>

struct CompileResult {
    bool started = false;  // the process could be started
    bool stopped = false;  // ended by Stop()
    int exitCode = -1;
    QString installerPath;          // from the `Output: "..."` line, absolute; empty when none
    QList<Diagnostic> diagnostics;  // located, in the order makensis printed them

    // The tab's installer path after this compile, given the one recorded:
    // exit 0 with an installer records it, another exit clears it, and a
    // stopped run or one that never started leaves it alone.
    QString NextInstallerPath(const QString& recorded) const;
};

// One compile at a time, on a worker thread that never touches a widget.
// Signals are emitted on the thread this object lives in (the UI thread), in
// the order the worker produced them. The worker waits while the UI has many
// chunks still to show, so a compile that prints megabytes neither floods the
// event queue nor grows memory without bound.
class CCompileLogLogic : public QObject, private CThread {
    Q_OBJECT
public:
    explicit CCompileLogLogic(QObject* parent = nullptr);
    // Stops a running compile and waits for the worker: a compiler left
    // running would outlive the program and hold the script.
    ~CCompileLogLogic() override;

    // False, changing nothing, while a compile runs.
    // codePage: that of the script's document when it is ANSI text.
    bool Start(const CompileSettings& settings, const QString& scriptPath, std::optional<CodePage> codePage = {});
    // Ends the running compiler and everything it started (its process group).
    void Stop();
    bool IsCompiling() const { return m_compiling; }

Q_SIGNALS:
    // The log is to be cleared and the command states refreshed.
    void CompileStarted();
    // UTF-8 text for the log, beginning with the "CommandLine=" line.
    void TextReady(const QByteArray& utf8);
    // 0-based line of the script the last error of a chunk names.
    void ErrorLine(int line);
    void CompileFinished(const CompileResult& result);

protected:
    void Run() override;

private:
    // Runs f on this object's thread; waits while too many are pending.
    template <typename F>
    void Post(F&& f);
    void KillGroupLocked();

    CompileSettings m_settings;
    QString m_scriptPath;
    std::optional<CodePage> m_codePage;
    bool m_compiling = false;  // touched on the UI thread only

    std::mutex m_mutex;
    std::condition_variable m_drained;
    pid_t m_processGroup = 0;  // 0 while no compiler runs
    bool m_stopRequested = false;
    int m_pendingPosts = 0;
};
