// CRoundTripLogic: install, uninstall and compare in a throwaway wine prefix, on a worker thread.
#include "compiler/core/round_trip_logic.h"

#include "compiler/core/installer_probe.h"
#include "compiler/core/wine_setup.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <mutex>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace {

// Only one run at a time makes the session's template.
std::mutex g_templateMutex;

const QString kReadyMark = u"ready"_s;
const QString kInstallerFolder = u"scrivo-test"_s;
const QString kChosenFolder = u"ScrivoTest"_s;

QString MachineProblem(ExeMachine machine, const WineSetup& wine, const QString& installer) {
    if (!wine.Found())
        return u"没有找到 wine。在 Debian 上以 root 身份执行：apt-get install wine wine64"_s;
    switch (machine) {
    case ExeMachine::Unknown:
    case ExeMachine::Arm64: return u"“%1”不是 wine 能运行的 Windows 程序"_s.arg(installer);
    case ExeMachine::X86:
        if (wine.runs32)
            return {};
        return u"这是 32 位安装程序，而本机只有 64 位 wine，无法运行 32 位程序。"
               u"在 Debian 上以 root 身份执行以下命令安装 32 位 wine：\n"_s
               + Wine32InstallCommand();
    case ExeMachine::Amd64:
        if (wine.runs64)
            return {};
        return u"这是 64 位安装程序，而本机的 wine 只能运行 32 位程序。在 Debian 上以 root 身份执行：apt-get install wine64"_s;
    }
    return {};
}

// A prefix that reaches nothing outside itself: no Z: drive onto the whole
// file system, and the user folders wine links to $HOME made real folders.
void SealPrefix(const QString& prefix) {
    QDir devices(prefix + u"/dosdevices"_s);
    for (const QString& name : devices.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (name != u"c:"_s)
            QFile::remove(devices.filePath(name));
    }
    QStringList links;
    QDirIterator it(prefix + u"/drive_c"_s, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().isSymLink())
            links << it.filePath();
    }
    for (const QString& link : links) {
        QFile::remove(link);
        QDir().mkpath(link);
    }
}

// Removes a prefix without following its links out of it.
void RemovePrefixFolder(const QString& folder) {
    QDir devices(folder + u"/prefix/dosdevices"_s);
    for (const QString& name : devices.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        QFile::remove(devices.filePath(name));
    QDir(folder).removeRecursively();
}

class Session {
public:
    Session(const RoundTripOptions& options, const std::atomic<bool>& stop, std::function<void(QString)> progress)
        : m_options(options), m_stop(stop), m_progress(std::move(progress)) {}
    ~Session() { StopDisplay(); }

    RoundTripReport Run();

private:
    QProcessEnvironment Environment(const QString& folder) const {
        return WineEnvironment(QProcessEnvironment::systemEnvironment(), folder + u"/prefix"_s, folder + u"/home"_s,
                               m_display);
    }
    StepOutcome WaitFor(QProcess& process, const QDeadlineTimer& deadline) const;
    // Runs wine with the arguments, then waits for every process of the prefix.
    RoundTripStep RunWine(const QString& folder, const QStringList& arguments, int limitMs);
    void EndPrefix(const QString& folder);
    bool MakePrefix(const QString& folder, QString& problem);
    bool PreparePrefix(const QString& folder, QString& problem);
    // Installs, uninstalls and compares in the prepared prefix.
    void RunSteps(const QString& folder, RoundTripReport& report);
    void StartDisplay();
    void StopDisplay();

    const RoundTripOptions& m_options;
    const std::atomic<bool>& m_stop;
    std::function<void(QString)> m_progress;
    WineSetup m_wine;
    QProcess m_xvfb;
    QString m_display;
};

StepOutcome Session::WaitFor(QProcess& process, const QDeadlineTimer& deadline) const {
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(100)) {
        if (m_stop)
            return StepOutcome::Stopped;
        if (deadline.hasExpired())
            return StepOutcome::TimedOut;
    }
    return StepOutcome::Finished;
}

RoundTripStep Session::RunWine(const QString& folder, const QStringList& arguments, int limitMs) {
    RoundTripStep step;
    const QDeadlineTimer deadline(limitMs);
    QProcess wine;
    wine.setProcessEnvironment(Environment(folder));
    wine.setWorkingDirectory(folder);
    wine.setStandardInputFile(QProcess::nullDevice());
    wine.setStandardOutputFile(QProcess::nullDevice());
    wine.setStandardErrorFile(QProcess::nullDevice());
    wine.start(m_wine.wine, arguments);
    if (!wine.waitForStarted()) {
        step.outcome = StepOutcome::Failed;
        step.detail = wine.errorString();
        return step;
    }
    step.outcome = WaitFor(wine, deadline);
    if (step.outcome == StepOutcome::Finished) {
        step.exitCode = wine.exitStatus() == QProcess::NormalExit ? wine.exitCode() : -1;
        // An NSIS uninstaller hands over to a copy of itself and returns at
        // once: the step ends when the prefix's last process does.
        QProcess server;
        server.setProcessEnvironment(Environment(folder));
        server.start(m_wine.wineserver, {u"-w"_s});
        step.outcome = WaitFor(server, deadline);
    }
    if (step.outcome != StepOutcome::Finished) {
        EndPrefix(folder);
        wine.kill();
        wine.waitForFinished(5000);
    }
    return step;
}

void Session::EndPrefix(const QString& folder) {
    for (const QString& option : {u"-k"_s, u"-w"_s}) {
        QProcess server;
        server.setProcessEnvironment(Environment(folder));
        server.start(m_wine.wineserver, {option});
        if (!server.waitForFinished(10000))
            server.kill();
    }
}

bool Session::MakePrefix(const QString& folder, QString& problem) {
    QDir().mkpath(folder + u"/home"_s);
    const RoundTripStep boot = RunWine(folder, {u"wineboot"_s, u"-i"_s}, m_options.prefixLimitMs);
    if (boot.outcome == StepOutcome::Finished) {
        SealPrefix(folder + u"/prefix"_s);
        // Wine settles its devices and fonts when the first window program
        // starts; a prefix started once changes little on the next start.
        const RoundTripStep settle = RunWine(
            folder, {u"regedit"_s, u"/E"_s, u"C:\\windows\\temp\\settle.reg"_s, u"HKEY_CURRENT_USER\\Software\\Wine"_s},
            m_options.prefixLimitMs);
        if (settle.outcome == StepOutcome::Finished)
            return true;
    }
    if (!m_stop)
        problem = u"无法创建 wine 环境（wineboot 没有在 %1 秒内完成）"_s.arg(m_options.prefixLimitMs / 1000);
    return false;
}

bool Session::PreparePrefix(const QString& folder, QString& problem) {
    if (m_options.templateFolder.isEmpty()) {
        m_progress(u"正在创建 wine 环境…"_s);
        return MakePrefix(folder, problem);
    }
    {
        std::lock_guard lock(g_templateMutex);
        const QString mark = m_options.templateFolder + u'/' + kReadyMark;
        if (!QFileInfo::exists(mark)) {
            m_progress(u"正在创建 wine 环境（本次会话只需一次）…"_s);
            RemovePrefixFolder(m_options.templateFolder);
            if (!MakePrefix(m_options.templateFolder, problem))
                return false;
            QFile file(mark);
            file.open(QIODevice::WriteOnly);
        }
    }
    m_progress(u"正在复制 wine 环境…"_s);
    QDir().mkpath(folder + u"/home"_s);
    QProcess copy;
    copy.start(u"cp"_s, {u"-a"_s, m_options.templateFolder + u"/prefix"_s, folder + u"/prefix"_s});
    if (WaitFor(copy, QDeadlineTimer(m_options.prefixLimitMs)) == StepOutcome::Finished
        && copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0)
        return true;
    copy.kill();
    copy.waitForFinished(5000);
    if (!m_stop)
        problem = u"无法复制 wine 环境：%1"_s.arg(QString::fromLocal8Bit(copy.readAllStandardError()).trimmed());
    return false;
}

void Session::StartDisplay() {
    const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
    if (xvfb.isEmpty())
        return;
    // Ends with the thread that started it, even when the program is killed.
    m_xvfb.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_xvfb.start(xvfb, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s});
    QByteArray number;
    const QDeadlineTimer deadline(10000);
    while (!number.contains('\n') && m_xvfb.waitForReadyRead(int(deadline.remainingTime())))
        number += m_xvfb.readAllStandardOutput();
    if (number.trimmed().isEmpty())
        StopDisplay();
    else
        m_display = u":"_s + QString::fromLatin1(number.trimmed());
}

void Session::StopDisplay() {
    if (m_xvfb.state() == QProcess::NotRunning)
        return;
    m_xvfb.terminate();
    if (!m_xvfb.waitForFinished(5000)) {
        m_xvfb.kill();
        m_xvfb.waitForFinished(5000);
    }
}

void Session::RunSteps(const QString& folder, RoundTripReport& report) {
    const QString prefix = folder + u"/prefix"_s;
    const QString name = QFileInfo(m_options.installerPath).fileName();
    QDir().mkpath(prefix + u"/drive_c/"_s + kInstallerFolder);
    // The parent of the /D= folder is ours, not the installer's to remove.
    QDir().mkpath(prefix + u"/drive_c/"_s + kChosenFolder);
    QFile::copy(m_options.installerPath, prefix + u"/drive_c/"_s + kInstallerFolder + u'/' + name);
    const PrefixSnapshot before = TakeSnapshot(prefix);
    if (!before.readable) {
        report.problem = u"无法读取 wine 环境的注册表文件"_s;
        return;
    }

    QStringList install = {u"C:\\"_s + kInstallerFolder + u'\\' + name, u"/S"_s};
    if (m_options.chooseDirectory)
        install << u"/D=C:\\"_s + kChosenFolder + u'\\' + QFileInfo(name).completeBaseName();
    m_progress(u"正在安装…"_s);
    report.install = RunWine(folder, install, m_options.stepLimitMs);
    report.installed = ComparePrefix(before, TakeSnapshot(prefix));
    report.uninstallString = FindUninstallString(report.installed.registry);
    const WindowsCommand uninstall = ParseUninstallString(report.uninstallString);

    if (report.install.outcome != StepOutcome::Finished) {
        report.uninstall.detail = u"安装没有完成，未卸载"_s;
    } else if (uninstall.IsEmpty()) {
        report.uninstall.detail = u"安装程序没有登记卸载程序（Uninstall 键下没有 UninstallString）"_s;
    } else {
        m_progress(u"正在卸载…"_s);
        QStringList arguments = QStringList{uninstall.program} + uninstall.arguments;
        if (!uninstall.arguments.contains(u"/S"_s, Qt::CaseInsensitive))
            arguments << u"/S"_s;
        report.uninstall = RunWine(folder, arguments, m_options.stepLimitMs);
    }
    report.leftovers = ComparePrefix(before, TakeSnapshot(prefix));
}

RoundTripReport Session::Run() {
    RoundTripReport report;
    report.installerPath = m_options.installerPath;
    report.limitSeconds = m_options.stepLimitMs / 1000;
    if (!QFileInfo(m_options.installerPath).isFile()) {
        report.problem = u"安装程序“%1”不存在，请先编译脚本"_s.arg(m_options.installerPath);
        return report;
    }
    m_wine = FindWineSetup();
    report.problem = MachineProblem(ReadExeMachineOf(m_options.installerPath), m_wine, m_options.installerPath);
    if (report.CouldNotRun())
        return report;

    QTemporaryDir work((m_options.workRoot.isEmpty() ? QDir::tempPath() : m_options.workRoot)
                       + u"/scrivo-test-run-XXXXXX"_s);
    if (!work.isValid()) {
        report.problem = u"无法创建临时文件夹：%1"_s.arg(work.errorString());
        return report;
    }
    work.setAutoRemove(false);
    const QString folder = work.path();
    // Without a display, a window the installer opens fails at once instead of
    // waiting: a private X server lets a forgotten message box show as a hang.
    StartDisplay();
    report.headless = m_display.isEmpty();

    if (PreparePrefix(folder, report.problem))
        RunSteps(folder, report);
    m_progress(u"正在清理…"_s);
    EndPrefix(folder);
    StopDisplay();
    if (m_stop) {
        report.problem.clear();
        if (report.install.outcome != StepOutcome::Finished)
            report.install.outcome = StepOutcome::Stopped;
        else if (report.uninstall.outcome != StepOutcome::Finished)
            report.uninstall.outcome = StepOutcome::Stopped;
    }
    if (m_options.keepPrefix && QFileInfo::exists(folder + u"/prefix"_s))
        report.keptPrefix = folder + u"/prefix"_s;
    else
        RemovePrefixFolder(folder);
    return report;
}

}  // namespace

CRoundTripLogic::CRoundTripLogic(QObject* parent) : QObject(parent) {}

CRoundTripLogic::~CRoundTripLogic() {
    Stop();
    Join();
}

bool CRoundTripLogic::Start(const RoundTripOptions& options) {
    if (m_running)
        return false;
    Join();
    m_options = options;
    m_stop = false;
    m_running = true;
    return CThread::Start();
}

void CRoundTripLogic::Stop() { m_stop = true; }

void CRoundTripLogic::Run() {
    // QProcess needs an event dispatcher on the thread it lives in.
    QEventLoop dispatcherOwner;
    Session session(m_options, m_stop, [this](const QString& text) {
        QMetaObject::invokeMethod(this, [this, text] { Q_EMIT Progress(text); }, Qt::QueuedConnection);
    });
    const RoundTripReport report = session.Run();
    QMetaObject::invokeMethod(
        this,
        [this, report] {
            m_running = false;
            Q_EMIT Finished(report);
        },
        Qt::QueuedConnection);
}
