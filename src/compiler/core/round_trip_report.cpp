// The test run's report as text, JSON and an exit code.
#include "compiler/core/round_trip_report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

QString StepNotFinishedText(const RoundTripStep& step, int limitSeconds) {
    switch (step.outcome) {
    case StepOutcome::TimedOut:
        return u"%1 秒内没有结束，已强行结束（可能在等待输入，静默模式下不应如此）"_s.arg(limitSeconds);
    case StepOutcome::Stopped: return u"已停止"_s;
    case StepOutcome::Failed: return u"失败：%1"_s.arg(step.detail);
    case StepOutcome::NotRun: return step.detail.isEmpty() ? u"未运行"_s : step.detail;
    case StepOutcome::Finished: break;
    }
    return {};
}

QString CountsText(const PrefixChanges& changes) {
    QString text = u"%1 个文件"_s.arg(changes.FileCount());
    if (changes.FolderCount() > 0)
        text += u", %1 个文件夹"_s.arg(changes.FolderCount());
    return text + u", %1 个注册表项"_s.arg(changes.RegistryCount());
}

QString OutcomeName(StepOutcome outcome) {
    switch (outcome) {
    case StepOutcome::NotRun: return u"not-run"_s;
    case StepOutcome::Finished: return u"finished"_s;
    case StepOutcome::TimedOut: return u"timed-out"_s;
    case StepOutcome::Stopped: return u"stopped"_s;
    case StepOutcome::Failed: return u"failed"_s;
    }
    return {};
}

QString KindName(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Added: return u"added"_s;
    case ChangeKind::Changed: return u"changed"_s;
    case ChangeKind::Removed: return u"removed"_s;
    }
    return {};
}

QJsonObject ChangesJson(const PrefixChanges& changes) {
    QJsonArray files;
    for (const FileChange& change : changes.files)
        files.append(QJsonObject{{u"kind"_s, KindName(change.kind)},
                                 {u"path"_s, WindowsPath(change.path)},
                                 {u"folder"_s, change.dir}});
    QJsonArray registry;
    for (const RegistryChange& change : changes.registry)
        registry.append(QJsonObject{{u"kind"_s, KindName(change.kind)},
                                    {u"key"_s, change.key},
                                    {u"value"_s, change.value},
                                    {u"data"_s, RegistryDataText(change.data)}});
    QJsonArray shortcuts;
    for (const QString& path : changes.Shortcuts())
        shortcuts.append(WindowsPath(path));
    return {{u"files"_s, files}, {u"registry"_s, registry}, {u"shortcuts"_s, shortcuts}};
}

QJsonObject StepJson(const RoundTripStep& step, const PrefixChanges& changes) {
    QJsonObject object = ChangesJson(changes);
    object.insert(u"outcome"_s, OutcomeName(step.outcome));
    object.insert(u"exitCode"_s, step.exitCode);
    if (!step.detail.isEmpty())
        object.insert(u"detail"_s, step.detail);
    return object;
}

void AppendList(QString& text, const PrefixChanges& changes) {
    for (const FileChange& change : changes.files)
        text += u"  %1 %2%3\n"_s.arg(ChangeMark(change.kind), WindowsPath(change.path), change.dir ? u"\\"_s : QString());
    for (const RegistryChange& change : changes.registry) {
        text += u"  %1 %2"_s.arg(ChangeMark(change.kind), change.Path());
        if (!change.IsWholeKey())
            text += u" = "_s + RegistryDataText(change.data);
        text += u'\n';
    }
}

}  // namespace

bool RoundTripReport::Succeeded() const {
    return !CouldNotRun() && install.outcome == StepOutcome::Finished && install.exitCode == 0
           && uninstall.outcome == StepOutcome::Finished && leftovers.IsEmpty();
}

int RoundTripExitCode(const RoundTripReport& report) {
    if (report.CouldNotRun())
        return 2;
    return report.Succeeded() ? 0 : 1;
}

QString InstallSummary(const RoundTripReport& report) {
    if (report.CouldNotRun())
        return u"无法测试：%1"_s.arg(report.problem);
    if (report.install.outcome != StepOutcome::Finished)
        return u"安装: "_s + StepNotFinishedText(report.install, report.limitSeconds);
    return u"安装: 退出码 %1, 写入 %2"_s.arg(report.install.exitCode).arg(CountsText(report.installed));
}

QString UninstallSummary(const RoundTripReport& report) {
    if (report.CouldNotRun())
        return {};
    if (report.uninstall.outcome != StepOutcome::Finished)
        return u"卸载: "_s + StepNotFinishedText(report.uninstall, report.limitSeconds);
    return u"卸载: 遗留 "_s + CountsText(report.leftovers);
}

QString RoundTripText(const RoundTripReport& report) {
    QString text = report.installerPath + u'\n' + InstallSummary(report) + u'\n';
    if (report.CouldNotRun())
        return text;
    AppendList(text, report.installed);
    for (const QString& shortcut : report.installed.Shortcuts())
        text += u"  快捷方式: "_s + WindowsPath(shortcut) + u'\n';
    text += UninstallSummary(report) + u'\n';
    AppendList(text, report.leftovers);
    if (report.headless)
        text += u"注意: 没有 X 显示，安装程序打开的窗口会立即失败。\n"_s;
    if (!report.keptPrefix.isEmpty())
        text += u"wine 环境保留在 "_s + report.keptPrefix + u'\n';
    return text;
}

QByteArray RoundTripJson(const RoundTripReport& report) {
    QJsonObject root{{u"installer"_s, report.installerPath}, {u"exitCode"_s, RoundTripExitCode(report)}};
    if (report.CouldNotRun()) {
        root.insert(u"problem"_s, report.problem);
    } else {
        root.insert(u"install"_s, StepJson(report.install, report.installed));
        QJsonObject uninstall = StepJson(report.uninstall, report.leftovers);
        uninstall.insert(u"uninstallString"_s, report.uninstallString);
        root.insert(u"uninstall"_s, uninstall);
        root.insert(u"headless"_s, report.headless);
    }
    if (!report.keptPrefix.isEmpty())
        root.insert(u"prefix"_s, report.keptPrefix);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString ChangeMark(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Added: return u"+"_s;
    case ChangeKind::Changed: return u"~"_s;
    case ChangeKind::Removed: return u"-"_s;
    }
    return {};
}

QString WindowsPath(const QString& driveCPath) {
    return u"C:\\"_s + QString(driveCPath).replace(u'/', u'\\');
}
