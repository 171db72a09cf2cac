// The toolchain check: what this machine has for building and trying installers.
#include "compiler/core/toolchain_facts.h"

#include "config/core/config_paths.h"
#include "nsis/core/makensis_query.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {
const QString kNotFound = u"未找到"_s;

ToolchainItem Item(const QString& name, bool present, const QString& found, const QString& gain) {
    return {name, present, present ? found : kNotFound, present ? QString() : gain};
}
}  // namespace

void ReadHeaderInfo(const QString& output, ToolchainFacts& facts) {
    static const QRegularExpression nsisDir(uR"((?:^|[ ,])NSISDIR=([^,\r\n]+))"_s);
    static const QRegularExpression configLog(uR"((?:^|[ ,])NSIS_CONFIG_LOG(?:[,=\r\n]|$))"_s);
    const QRegularExpressionMatch dir = nsisDir.match(output);
    facts.nsisDir = dir.hasMatch() ? dir.captured(1).trimmed() : QString();
    facts.configLog = configLog.match(output).hasMatch();
}

ToolchainFacts GatherToolchainFacts(const QString& makensisPath, int timeoutMs) {
    ToolchainFacts facts;
    facts.makensisPath = makensisPath;
    if (const std::optional<QByteArray> version = QueryMakensis(makensisPath, u"-VERSION"_s, timeoutMs)) {
        facts.makensisRuns = true;
        facts.version = QString::fromLocal8Bit(*version).trimmed();
    }
    if (const std::optional<QByteArray> info = QueryMakensis(makensisPath, u"-HDRINFO"_s, timeoutMs))
        ReadHeaderInfo(QString::fromLocal8Bit(*info), facts);
    if (!facts.nsisDir.isEmpty()) {
        const QDir dir(facts.nsisDir);
        for (const QString& target : kStubTargets) {
            if (QFileInfo::exists(dir.filePath(u"Stubs/zlib-"_s + target)))
                facts.stubTargets << target;
            if (QFileInfo(dir.filePath(u"Plugins/"_s + target)).isDir())
                facts.pluginFolders << dir.filePath(u"Plugins/"_s + target);
        }
        if (QFileInfo(dir.filePath(u"Include"_s)).isDir())
            facts.includeFolder = dir.filePath(u"Include"_s);
    }
    facts.manual = FindNsisManual();
    facts.wine = FindWineSetup();
    facts.wineVersion = WineVersion(facts.wine.wine, timeoutMs);
    return facts;
}

QList<ToolchainItem> ToolchainItems(const ToolchainFacts& facts) {
    QList<ToolchainItem> items;
    items << Item(u"NSIS 编译器 (makensis)"_s, facts.makensisRuns,
                  u"%1，版本 %2"_s.arg(facts.makensisPath, facts.version),
                  u"没有它无法编译脚本。安装：apt-get install nsis"_s);
    if (!facts.makensisRuns)
        items.last().found = facts.makensisPath.isEmpty() ? kNotFound : u"%1 无法运行"_s.arg(facts.makensisPath);
    items << Item(u"安装日志 (NSIS_CONFIG_LOG)"_s, facts.configLog, u"已启用"_s,
                  u"此编译器编译时未启用安装日志：LogSet 和 LogText 不可用。Debian 的 nsis 软件包不带此选项，"
                  u"需要自行编译启用它的 NSIS"_s);
    for (const QString& target : kStubTargets) {
        const bool present = facts.stubTargets.contains(target);
        items << Item(u"存根 %1"_s.arg(target), present, QDir(facts.nsisDir).filePath(u"Stubs"_s),
                      u"无法编译 Target %1 的安装程序。它随 nsis 软件包提供：apt-get install --reinstall nsis"_s.arg(target));
    }
    items << Item(u"插件文件夹"_s, !facts.pluginFolders.isEmpty(), facts.pluginFolders.join(u"\n"_s),
                  u"没有插件，使用插件的脚本无法编译。它们随 nsis 软件包提供：apt-get install nsis"_s);
    items << Item(u"头文件文件夹 (Include)"_s, !facts.includeFolder.isEmpty(), facts.includeFolder,
                  u"没有 MUI2.nsh、LogicLib.nsh 等头文件，向导生成的脚本无法编译。安装：apt-get install nsis"_s);
    items << Item(u"NSIS 用户手册"_s, !facts.manual.isEmpty(), facts.manual,
                  u"安装后 F1 可打开本地的 NSIS 用户手册。安装：apt-get install nsis-doc"_s);
    items << Item(u"wine（64 位）"_s, facts.wine.runs64, u"%1，%2"_s.arg(facts.wine.wine, facts.wineVersion),
                  u"安装后可运行 64 位安装程序，并测试安装与卸载。安装：apt-get install wine wine64"_s);
    items << Item(u"wine（32 位）"_s, facts.wine.runs32, u"%1，%2"_s.arg(facts.wine.wine, facts.wineVersion),
                  u"安装后可运行和测试 32 位安装程序（x86-ansi、x86-unicode）。以 root 身份执行："_s
                      + Wine32InstallCommand());
    return items;
}

CToolchainCheckLogic::CToolchainCheckLogic(QString makensisPath, int timeoutMs, QObject* parent)
    : QObject(parent), m_makensisPath(std::move(makensisPath)), m_timeoutMs(timeoutMs) {}

void CToolchainCheckLogic::Run() {
    // QProcess needs an event dispatcher on the thread it lives in.
    QEventLoop dispatcherOwner;
    const ToolchainFacts facts = GatherToolchainFacts(m_makensisPath, m_timeoutMs);
    QMetaObject::invokeMethod(this, [this, facts] { Q_EMIT Ready(facts); }, Qt::QueuedConnection);
}
