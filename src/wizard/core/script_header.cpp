// Script stages: the header with the product defines and the compressor, and the version information.
#include "platform/maker_hosts.h"
#include "wizard/core/nsis_text.h"
#include "wizard/core/script_stages.h"

namespace {
void WriteCompressor(int compressor, ScriptBuffer& out) {
    switch (compressor) {
    case 0: out.Line("SetCompressor zlib"); break;
    case 1: out.Line("SetCompressor /SOLID zlib"); break;
    case 2: out.Line("SetCompressor bzip2"); break;
    case 3: out.Line("SetCompressor /SOLID bzip2"); break;
    case 5: out.Line("SetCompressor /SOLID lzma"); break;
    case 6:
        out.Line("SetCompressor /SOLID lzma");
        out.Line("SetCompressorDictSize 32");
        break;
    case 7: out.Line("SetCompress off"); break;
    default: out.Line("SetCompressor lzma"); break;
    }
}
}  // namespace

void WriteHeader(const WizardData& data, ScriptBuffer& out) {
    out.Line("; 该脚本使用 Korvane安装(%s) 向导生成", {QString::fromLatin1(kMakerWebHost)});
    if (data.removeMode == RemoveMode::Safe) {
        out.Blank();
        out.Line("!include \"LogicLib.nsh\"");
        out.Blank();
    }
    out.Line("; 安装程序初始定义常量");
    // The defines end up in strings the installer resolves when it runs.
    out.Line("!define PRODUCT_NAME \"%s\"", {InstallTimeText(data.appName)});
    out.Line("!define PRODUCT_VERSION \"%s\"", {InstallTimeText(data.appVersion)});
    out.Line("!define PRODUCT_PUBLISHER \"%s\"", {InstallTimeText(data.appPublisher)});
    out.Line("!define PRODUCT_WEB_SITE \"%s\"", {InstallTimeText(data.appWebSite)});
    if (!data.mainExeName.isEmpty())
        out.Line("!define PRODUCT_DIR_REGKEY \"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\%s\"",
                 {data.mainExeName});
    out.Line("!define PRODUCT_UNINST_KEY \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${PRODUCT_NAME}\"");
    out.Line("!define PRODUCT_UNINST_ROOT_KEY \"HKLM\"");
    if (data.allowStartMenuChange)
        out.Line("!define PRODUCT_STARTMENU_REGVAL \"NSIS:StartMenuDir\"");
    out.Blank();
    WriteCompressor(data.compressor, out);
    out.Blank();
    out.Line("; 提升安装程序权限(vista,win7,win8)");
    out.Line("RequestExecutionLevel admin");
    out.Blank();
}

void WriteVersionInfo(const WizardData& data, ScriptBuffer& out) {
    // Without a version the lines stay in the script as comments, ready to be switched on.
    const bool noVersion = data.installVersion.isEmpty();
    const QString name = CompileTimeText(data.appName);
    const QString publisher = CompileTimeText(data.appPublisher);
    const QString webSite = CompileTimeText(data.appWebSite);
    const auto optional = [&](const char* format, std::initializer_list<QString> values = {}) {
        out.Line((noVersion ? QStringLiteral(";") : QString()) + QString::fromUtf8(format), values);
    };
    out.Line(";安装包版本号格式必须为x.x.x.x的4组整数,每组整数范围0~65535,如:2.0.1.2");
    out.Line(";若使用Korvane统计,版本号将用于区分不同版本的安装情况,此时建议用户务必填写正确的版本号");
    if (noVersion)
        out.Line(";!define INSTALL_VERSION \"版本号,如:2.0.1.2\"");
    else
        out.Line("!define INSTALL_VERSION \"%s\"", {data.installVersion});
    out.Blank();
    optional("VIProductVersion \"${INSTALL_VERSION}\"");
    optional("VIAddVersionKey /LANG=1033 ProductName      \"%s\"", {name});
    optional("VIAddVersionKey /LANG=1033 Comments         \"%s(%s)\"", {name, publisher});
    optional("VIAddVersionKey /LANG=1033 CompanyName      \"%s\"", {publisher});
    optional("VIAddVersionKey /LANG=1033 LegalCopyright   \"%s(%s)\"", {publisher, webSite});
    optional("VIAddVersionKey /LANG=1033 FileDescription  \"%s\"", {name});
    optional("VIAddVersionKey /LANG=1033 ProductVersion   \"${INSTALL_VERSION}\"");
    optional("VIAddVersionKey /LANG=1033 FileVersion      \"${INSTALL_VERSION}\"");
    out.Blank();
}
