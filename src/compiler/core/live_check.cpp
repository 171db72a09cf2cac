// CLiveCheck: checks unsaved script text with makensis in the background, never running the script's commands.
#include "compiler/core/live_check.h"

#include "compiler/core/compile_command.h"
#include "compiler/core/diagnostic_locator.h"
#include "compiler/core/live_check_plan.h"
#include "compiler/core/output_pipeline.h"
#include "compiler/core/script_input.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThreadPool>
#include <sys/resource.h>
#include <utility>

namespace {
constexpr int kNiceness = 10;  // below the editor, so typing stays smooth
constexpr int kKillWaitMs = 1000;

QString UntitledName() { return QStringLiteral("未命名.nsi"); }

// The diagnostics name the text's copy, which the locator read; the user means the document.
void RenameFile(QList<Diagnostic>& diagnostics, const QString& from, const QString& to) {
    for (Diagnostic& diagnostic : diagnostics) {
        if (diagnostic.file == from)
            diagnostic.file = to;
        for (DiagnosticFrame& frame : diagnostic.frames) {
            if (frame.file == from)
                frame.file = to;
        }
    }
}
}  // namespace

CLiveCheck::CLiveCheck(int timeLimitMs, QObject* parent) : QObject(parent), m_timeLimitMs(timeLimitMs) {
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] { OnPassEnded(true); });
}

CLiveCheck::~CLiveCheck() { Cancel(); }

qint64 CLiveCheck::ProcessId() const { return m_process ? m_process->processId() : 0; }

void CLiveCheck::Start(LiveCheckRequest request) {
    Cancel();
    m_request = std::move(request);
    m_result = {};
    m_preprocessed.clear();
    m_scratch = std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/scrivo-live-XXXXXX"));
    const QFileInfo script(m_request.scriptPath);
    const bool untitled = m_request.scriptPath.isEmpty();
    if (untitled)
        m_folder = m_scratch->path();
    else
        m_folder = m_request.settings.disNsi ? QDir::currentPath() : script.absolutePath();
    m_textCopy = m_scratch->filePath(untitled ? UntitledName() : script.fileName());
    m_result.scriptPath = untitled ? m_textCopy : script.absoluteFilePath();
    m_preparing = true;
    // Writing the copy and preparing the text take about 0.15 s at 20 MB: the
    // editor stays responsive while a pooled thread does them.
    QThreadPool::globalInstance()->start([self = QPointer<CLiveCheck>(this), run = m_run, text = m_request.text,
                                          textCopy = m_textCopy, scratch = m_scratch]() mutable {
        // The locator looks up the macros of the text being checked, not of the file on disk.
        QFile copy(textCopy);
        if (copy.open(QIODevice::WriteOnly))
            copy.write(text);
        QByteArray stdinText = StdinScriptText(std::move(text));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, run, stdinText = std::move(stdinText)]() mutable {
                if (self && self->m_run == run && self->m_preparing) {
                    self->m_preparing = false;
                    self->m_stdinText = std::move(stdinText);
                    self->StartPass(Pass::Preprocess);
                }
            },
            Qt::QueuedConnection);
    });
}

void CLiveCheck::StartPass(Pass pass) {
    m_pass = pass;
    m_process = new QProcess(this);
    m_process->setWorkingDirectory(m_folder);
    QProcessEnvironment environment = MakensisEnvironment(QProcessEnvironment::systemEnvironment());
    // makensis's own temporary files stay in the check's folder and go with it.
    environment.insert(QStringLiteral("TMPDIR"), m_scratch->path());
    m_process->setProcessEnvironment(environment);
    // Pass 1 prints the preprocessed text on standard output and its messages on standard error.
    m_process->setProcessChannelMode(pass == Pass::Preprocess ? QProcess::SeparateChannels
                                                              : QProcess::MergedChannels);
    m_process->setChildProcessModifier([] { ::setpriority(PRIO_PROCESS, 0, kNiceness); });
    connect(m_process, &QProcess::finished, this, [this] { OnPassEnded(false); });
    connect(m_process, &QProcess::errorOccurred, this, [this, run = m_run](QProcess::ProcessError error) {
        // Reported from inside start(): the process is left alone until the event loop.
        if (error == QProcess::FailedToStart)
            QMetaObject::invokeMethod(
                this, [this, run] { if (run == m_run && m_process) OnFailedToStart(); }, Qt::QueuedConnection);
    });
    const QStringList arguments = pass == Pass::Preprocess
        ? PreprocessArguments(m_request.settings)
        : FullCheckArguments(m_request.settings, m_scratch->filePath(QStringLiteral("installer.exe")),
                             m_overrideCompressor);
    m_process->start(m_request.settings.compilerPath, arguments);
    m_process->write(m_stdinText);
    m_process->closeWriteChannel();
    m_limit.start(m_timeLimitMs);
}

QProcess* CLiveCheck::ReleaseProcess() {
    m_limit.stop();
    QProcess* process = std::exchange(m_process, nullptr);
    if (process) {
        process->disconnect(this);
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(kKillWaitMs);
        }
        process->deleteLater();
    }
    return process;
}

void CLiveCheck::Cancel() {
    ++m_run;
    m_preparing = false;
    ReleaseProcess();
    m_scratch.reset();
}

void CLiveCheck::OnFailedToStart() {
    ReleaseProcess();
    m_result.failed = true;
    Finish(m_preprocessed);
}

void CLiveCheck::OnPassEnded(bool timedOut) {
    QProcess* process = ReleaseProcess();
    if (!process)
        return;
    const bool completed = !timedOut && process->exitStatus() == QProcess::NormalExit;
    m_result.timedOut = timedOut;
    if (m_pass == Pass::Full) {
        if (!completed)
            return Finish(m_preprocessed);
        m_result.fullPass = true;
        return Finish(ReadDiagnostics(process->readAll()));
    }
    if (timedOut)
        return Finish({});
    m_preprocessed = ReadDiagnostics(process->readAllStandardError());
    if (!completed || process->exitCode() != 0 || m_request.scriptPath.isEmpty())
        return Finish(m_preprocessed);
    const QByteArray preprocessed = process->readAllStandardOutput();
    m_result.unsafeDirectives = UnsafeDirectives(preprocessed);
    if (!m_result.unsafeDirectives.isEmpty())
        return Finish(m_preprocessed);
    m_overrideCompressor = SetsCompressor(preprocessed);
    StartPass(Pass::Full);
}

QList<Diagnostic> CLiveCheck::ReadDiagnostics(const QByteArray& output) const {
    COutputPipeline pipeline(m_folder);
    pipeline.Feed(output);
    pipeline.Finish();
    return pipeline.TakeDiagnostics();
}

void CLiveCheck::Finish(QList<Diagnostic> diagnostics) {
    if (diagnostics.isEmpty())
        return Deliver({});
    const LocateContext context{m_textCopy, m_folder, NsisFolder(m_request.settings.compilerPath,
                                                                  QProcessEnvironment::systemEnvironment()),
                                CompileDefines(m_request.settings)};
    // Reading the headers is file work: it stays off the UI thread. The task
    // keeps the folder with the text's copy until it is done.
    QThreadPool::globalInstance()->start([self = QPointer<CLiveCheck>(this), run = m_run, context,
                                          diagnostics = std::move(diagnostics), scratch = m_scratch,
                                          document = m_result.scriptPath]() mutable {
        LocateDiagnostics(diagnostics, context);
        RenameFile(diagnostics, context.scriptPath, document);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, run, diagnostics = std::move(diagnostics)]() mutable {
                if (self && self->m_run == run)
                    self->Deliver(std::move(diagnostics));
            },
            Qt::QueuedConnection);
    });
}

void CLiveCheck::Deliver(QList<Diagnostic> diagnostics) {
    m_result.diagnostics = std::move(diagnostics);
    m_scratch.reset();
    Q_EMIT Finished(std::exchange(m_result, {}));
}
