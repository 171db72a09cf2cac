// CCompileLogLogic: runs makensis on its worker thread and posts what it prints to the UI thread.
#include "compiler/core/compile_log_logic.h"

#include "compiler/core/output_decoder.h"
#include "compiler/core/output_scanner.h"
#include "compiler/core/script_input.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <csignal>
#include <unistd.h>

namespace {
constexpr qint64 kChunkSize = 10240;
constexpr int kPollMs = 100;
// Chunks the UI may have waiting before the worker pauses: enough to keep
// the pipe busy, few enough to keep memory flat.
constexpr int kMaxPendingPosts = 16;
}  // namespace

InstallerPathChange CompileResult::PathChange() const {
    if (!started || stopped)
        return InstallerPathChange::Keep;
    if (exitCode != 0)
        return InstallerPathChange::Clear;
    return installerPath.isEmpty() ? InstallerPathChange::Keep : InstallerPathChange::Record;
}

CCompileLogLogic::CCompileLogLogic(QObject* parent) : QObject(parent) {}

CCompileLogLogic::~CCompileLogLogic() {
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = true;
        KillGroupLocked();
    }
    m_drained.notify_all();
    Join();
}

bool CCompileLogLogic::Start(const CompileSettings& settings, const QString& scriptPath) {
    if (m_compiling)
        return false;
    // The previous worker may still be returning from its last post.
    Join();
    m_settings = settings;
    m_scriptPath = scriptPath;
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = false;
    }
    m_compiling = true;
    if (!CThread::Start()) {
        m_compiling = false;
        return false;
    }
    return true;
}

void CCompileLogLogic::Stop() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_compiling)
            return;
        m_stopRequested = true;
        KillGroupLocked();
    }
    m_drained.notify_all();
}

void CCompileLogLogic::KillGroupLocked() {
    if (m_processGroup > 0)
        ::kill(-m_processGroup, SIGKILL);
}

template <typename F>
void CCompileLogLogic::Post(F&& f) {
    {
        std::unique_lock lock(m_mutex);
        m_drained.wait(lock, [this] { return m_pendingPosts < kMaxPendingPosts || m_stopRequested; });
        ++m_pendingPosts;
    }
    QMetaObject::invokeMethod(
        this,
        [this, f = std::forward<F>(f)]() mutable {
            f();
            {
                std::lock_guard lock(m_mutex);
                --m_pendingPosts;
            }
            m_drained.notify_all();
        },
        Qt::QueuedConnection);
}

void CCompileLogLogic::Run() {
    // QProcess needs an event dispatcher on the thread it lives in; creating
    // an event loop gives this plain thread one.
    QEventLoop dispatcherOwner;
    Post([this] { Q_EMIT CompileStarted(); });

    const ScriptInput input = PrepareScriptInput(m_scriptPath, m_settings.disNsi, QDir::currentPath());
    const QStringList arguments = CompileArguments(m_settings, m_scriptPath, input.onStdin);
    Post([this, text = CommandLineLogText(m_settings.compilerPath, arguments).toUtf8()] {
        Q_EMIT TextReady(text);
    });

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(input.workingFolder);
    process.setProcessEnvironment(MakensisEnvironment(QProcessEnvironment::systemEnvironment()));
    if (!input.onStdin)
        process.setStandardInputFile(QProcess::nullDevice());
    // Its own process group, so Stop also ends what a !system started.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });

    CompileResult result;
    process.start(m_settings.compilerPath, arguments);
    if (!process.waitForStarted(-1)) {
        Post([this, text = QStringLiteral("无法启动编译器：%1\n").arg(process.errorString()).toUtf8()] {
            Q_EMIT TextReady(text);
        });
    } else {
        result.started = true;
        {
            std::lock_guard lock(m_mutex);
            m_processGroup = static_cast<pid_t>(process.processId());
            if (m_stopRequested)
                KillGroupLocked();
        }
        if (input.onStdin) {
            process.write(input.stdinText);
            process.closeWriteChannel();
        }

        COutputDecoder decoder;
        CCompileOutputScanner scanner(input.compileFolder);
        QByteArray heldHints;
        bool atLineStart = true;
        const auto deliver = [&](QByteArray text, const ScanFindings& findings, bool last) {
            if (!text.isEmpty())
                atLineStart = text.endsWith('\n');
            heldHints += findings.hints;
            // A hint waits for the end of a line so that it never splits one.
            if (!heldHints.isEmpty() && (atLineStart || last)) {
                text += atLineStart ? heldHints : '\n' + heldHints;
                heldHints.clear();
            }
            if (text.isEmpty() && !findings.errorLine)
                return;
            Post([this, text = std::move(text), line = findings.errorLine] {
                if (!text.isEmpty())
                    Q_EMIT TextReady(text);
                if (line)
                    Q_EMIT ErrorLine(*line);
            });
        };
        for (;;) {
            const QByteArray chunk = process.read(kChunkSize);
            if (!chunk.isEmpty()) {
                QByteArray text = decoder.Decode(chunk);
                const ScanFindings findings = scanner.Feed(text);
                deliver(std::move(text), findings, false);
                continue;
            }
            if (process.state() == QProcess::NotRunning)
                break;
            process.waitForReadyRead(kPollMs);
        }
        QByteArray rest = decoder.Finish();
        ScanFindings findings = scanner.Feed(rest);
        const ScanFindings unfinished = scanner.Finish();
        findings.hints += unfinished.hints;
        if (unfinished.errorLine)
            findings.errorLine = unfinished.errorLine;
        deliver(std::move(rest), findings, true);

        std::lock_guard lock(m_mutex);
        m_processGroup = 0;
        result.stopped = m_stopRequested && process.exitStatus() == QProcess::CrashExit;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.installerPath = scanner.InstallerPath();
    }
    Post([this, result] {
        m_compiling = false;
        Q_EMIT CompileFinished(result);
    });
}
