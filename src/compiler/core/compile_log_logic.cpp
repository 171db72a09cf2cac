// CCompileLogLogic: runs makensis on its worker thread and posts what it prints to the UI thread.
#include "compiler/core/compile_log_logic.h"

#include "compiler/core/compile_outcome.h"
#include "compiler/core/diagnostic_locator.h"
#include "compiler/core/output_pipeline.h"
#include "compiler/core/script_input.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QEventLoop>
#include <QProcess>
#include <chrono>
#include <csignal>
#include <thread>
#include <utility>
#include <unistd.h>

namespace {
constexpr qint64 kChunkSize = 10240;
constexpr int kPollMs = 100;
// Chunks the UI may have waiting before the worker pauses: enough to keep
// the pipe busy, few enough to keep memory flat.
constexpr int kMaxPendingPosts = 16;
// makensis flushes every line; reading and posting each one would wake both
// threads a hundred thousand times for a large compile. Once the output is
// large, the worker lets it gather before each read, and posts it at most
// every kPostIntervalMs (or per kMaxBatchBytes). Small compiles, the usual
// case, never wait.
constexpr auto kGatherTime = std::chrono::milliseconds(5);
constexpr qint64 kGatherAfterBytes = 64 * 1024;
constexpr qint64 kPostIntervalMs = 30;
constexpr qsizetype kMaxBatchBytes = 256 * 1024;
}  // namespace

QString CompileResult::NextInstallerPath(const QString& recorded) const {
    if (!started || stopped)
        return recorded;
    if (exitCode != 0)
        return {};
    return installerPath.isEmpty() ? recorded : installerPath;
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

bool CCompileLogLogic::Start(const CompileSettings& settings, const QString& scriptPath,
                             std::optional<CodePage> codePage) {
    if (m_compiling)
        return false;
    // The previous worker may still be returning from its last post.
    Join();
    m_settings = settings;
    m_scriptPath = scriptPath;
    m_codePage = codePage;
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

    const ScriptInput input = PrepareScriptInput(m_scriptPath, m_settings.disNsi, QDir::currentPath(), m_codePage);
    const QStringList arguments = CompileArguments(m_settings, m_scriptPath, input.onStdin);
    Post([this, text = CommandLineLogText(m_settings.compilerPath, arguments).toUtf8()] { Q_EMIT TextReady(text); });

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

        COutputPipeline output(input.compileFolder);
        qint64 outputBytes = 0;
        QElapsedTimer sincePost;
        sincePost.start();
        const auto post = [&] {
            Post([this, reading = output.TakeReading()] {
                if (!reading.logText.isEmpty())
                    Q_EMIT TextReady(reading.logText);
                if (reading.errorLine)
                    Q_EMIT ErrorLine(*reading.errorLine);
            });
            sincePost.restart();
        };
        for (;;) {
            const QByteArray chunk = process.read(kChunkSize);
            if (!chunk.isEmpty()) {
                outputBytes += chunk.size();
                output.Feed(chunk);
                if (output.Pending().logText.size() >= kMaxBatchBytes)
                    post();
                continue;
            }
            if (process.state() == QProcess::NotRunning)
                break;
            if (!output.Pending().IsEmpty() && sincePost.elapsed() >= kPostIntervalMs)
                post();
            if (outputBytes > kGatherAfterBytes)
                std::this_thread::sleep_for(kGatherTime);
            process.waitForReadyRead(output.Pending().IsEmpty() ? kPollMs : static_cast<int>(kPostIntervalMs));
        }
        output.Finish();
        if (!output.Pending().IsEmpty())
            post();

        std::lock_guard lock(m_mutex);
        m_processGroup = 0;
        result.stopped = m_stopRequested && process.exitStatus() == QProcess::CrashExit;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.installerPath = output.InstallerPath();
        result.diagnostics = output.TakeDiagnostics();
    }
    if (!result.diagnostics.isEmpty()) {
        // Reading the headers is file work: it stays off the UI thread.
        LocateDiagnostics(result.diagnostics,
                          {QFileInfo(m_scriptPath).absoluteFilePath(), input.compileFolder,
                           NsisFolder(m_settings.compilerPath, QProcessEnvironment::systemEnvironment()),
                           CompileDefines(m_settings)});
    }
    AddFailureDiagnostic(result);
    Post([this, result] {
        m_compiling = false;
        Q_EMIT CompileFinished(result);
    });
}
