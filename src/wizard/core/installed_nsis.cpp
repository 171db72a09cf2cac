// What the installed makensis reports about itself.
#include "wizard/core/installed_nsis.h"

#include "nsis/core/makensis_query.h"
#include "wizard/core/script_file_paths.h"

#include <QFileInfo>
#include <QStringList>

namespace {
// The value of NAME=value in the comma-separated symbol list, or whether a bare NAME is there.
struct Symbol {
    bool defined = false;
    QString value;
};

Symbol FindSymbol(const QStringList& symbols, QLatin1StringView name) {
    for (const QString& symbol : symbols) {
        if (symbol == name)
            return {true, {}};
        if (symbol.startsWith(name) && symbol.size() > name.size() && symbol[name.size()] == QLatin1Char('='))
            return {true, symbol.mid(name.size() + 1)};
    }
    return {};
}
}  // namespace

InstalledNsis ParseHeaderInfo(const QString& output) {
    const QLatin1StringView kDefined("Defined symbols: ");
    const qsizetype at = output.indexOf(kDefined);
    if (at < 0)
        return {};
    const qsizetype end = output.indexOf(QLatin1Char('\n'), at);
    const QStringList symbols = output.mid(at + kDefined.size(), end < 0 ? -1 : end - at - kDefined.size())
                                    .trimmed()
                                    .split(QLatin1Char(','), Qt::SkipEmptyParts);
    InstalledNsis nsis;
    nsis.answered = true;
    nsis.nsisDir = FindSymbol(symbols, QLatin1StringView("NSISDIR")).value;
    nsis.docDir = FindSymbol(symbols, QLatin1StringView("PREFIX_DOC")).value;
    nsis.keepsInstallLog = FindSymbol(symbols, QLatin1StringView("NSIS_CONFIG_LOG")).defined;
    return nsis;
}

InstalledNsis QueryInstalledNsis(const QString& makensisPath, int timeoutMs) {
    const std::optional<QByteArray> output = QueryMakensis(makensisPath, QStringLiteral("-HDRINFO"), timeoutMs);
    return output ? ParseHeaderInfo(QString::fromLocal8Bit(*output)) : InstalledNsis{};
}

QString InstalledLicenseFile(const InstalledNsis& nsis) {
    const QString windowsLayout = QStringLiteral("${NSISDIR}\\license.txt");
    if (FileExistsFor(windowsLayout, nsis.nsisDir) == PathState::Exists)
        return windowsLayout;
    if (!nsis.docDir.isEmpty()) {
        const QString debianLayout = nsis.docDir + QStringLiteral("/copyright");
        if (QFileInfo(debianLayout).isFile())
            return debianLayout;
    }
    return {};
}

WizardData WizardDefaultsFor(const InstalledNsis& nsis) {
    WizardData data;
    if (const QString license = InstalledLicenseFile(nsis); !license.isEmpty())
        data.licenseFile = license;
    return data;
}

QString SafeRemovalNote(const InstalledNsis& nsis) {
    if (!nsis.answered || nsis.keepsInstallLog)
        return {};
    return QStringLiteral(
        "注意：安全方式需要安装日志，而当前的 NSIS 编译器编译时未启用安装日志"
        "（NSIS_CONFIG_LOG），用安全方式生成的脚本无法用它编译。");
}
