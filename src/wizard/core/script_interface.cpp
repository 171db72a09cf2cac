// Script stage: the installer's interface in its three kinds (modern, classic, silent).
#include "wizard/core/nsis_text.h"
#include "wizard/core/script_stages.h"
#include "nsis/core/stat_line.h"

namespace {
void WriteNameAndOutFile(const WizardData& data, ScriptBuffer& out) {
    out.Line("Name \"${PRODUCT_NAME} ${PRODUCT_VERSION}\"");
    out.Line("OutFile \"%s\"", {data.setupFile});
    out.Line(WizardStatLine(data.statNumber, CommentText(data.statItemName), CommentText(data.appName)));
}

void WriteModernDefines(const WizardData& data, ScriptBuffer& out) {
    out.Line("; MUI 预定义常量");
    out.Line("!define MUI_ABORTWARNING");
    out.Line("!define MUI_HEADERIMAGE");
    const bool un = data.createUninstaller;
    if (!data.setupTopBitmap.isEmpty())
        out.Line("!define MUI_HEADERIMAGE_BITMAP \"%s\"", {data.setupTopBitmap});
    if (un && !data.uninstTopBitmap.isEmpty())
        out.Line("!define MUI_HEADERIMAGE_UNBITMAP \"%s\"", {data.uninstTopBitmap});
    if (!data.setupIcon.isEmpty())
        out.Line("!define MUI_ICON \"%s\"", {data.setupIcon});
    if (un && !data.uninstIcon.isEmpty())
        out.Line("!define MUI_UNICON \"%s\"", {data.uninstIcon});
    if (!data.setupLeftBitmap.isEmpty())
        out.Line("!define MUI_WELCOMEFINISHPAGE_BITMAP \"%s\"", {data.setupLeftBitmap});
    if (un && !data.uninstLeftBitmap.isEmpty())
        out.Line("!define MUI_UNWELCOMEFINISHPAGE_BITMAP \"%s\"", {data.uninstLeftBitmap});
    out.Blank();
}

void WriteModernPages(const WizardData& data, ScriptBuffer& out) {
    out.Line("; 欢迎页面");
    out.Line("!insertmacro MUI_PAGE_WELCOME");
    if (!data.licenseFile.isEmpty()) {
        out.Line("; 许可协议页面");
        if (data.licenseMode == LicenseMode::CheckBox)
            out.Line("!define MUI_LICENSEPAGE_CHECKBOX");
        else if (data.licenseMode == LicenseMode::RadioButtons)
            out.Line("!define MUI_LICENSEPAGE_RADIOBUTTONS");
        out.Line("!insertmacro MUI_PAGE_LICENSE \"%s\"", {data.licenseFile});
    }
    if (data.allowComponents) {
        out.Line("; 组件选择页面");
        out.Line("!insertmacro MUI_PAGE_COMPONENTS");
    }
    if (data.allowDirChange) {
        out.Line("; 安装目录选择页面");
        out.Line("!insertmacro MUI_PAGE_DIRECTORY");
    }
    if (data.allowStartMenuChange) {
        out.Line("; 开始菜单设置页面");
        out.Line("var ICONS_GROUP");
        out.Line("!define MUI_STARTMENUPAGE_NODISABLE");
        out.Line("!define MUI_STARTMENUPAGE_DEFAULTFOLDER \"%s\"", {ProductFolder(data)});
        out.Line("!define MUI_STARTMENUPAGE_REGISTRY_ROOT \"${PRODUCT_UNINST_ROOT_KEY}\"");
        out.Line("!define MUI_STARTMENUPAGE_REGISTRY_KEY \"${PRODUCT_UNINST_KEY}\"");
        out.Line("!define MUI_STARTMENUPAGE_REGISTRY_VALUENAME \"${PRODUCT_STARTMENU_REGVAL}\"");
        out.Line("!insertmacro MUI_PAGE_STARTMENU Application $ICONS_GROUP");
    }
    out.Line("; 安装过程页面");
    out.Line("!insertmacro MUI_PAGE_INSTFILES");
    out.Line("; 安装完成页面");
    if (!data.runProgram.isEmpty())
        out.Line("!define MUI_FINISHPAGE_RUN \"%s\"", {data.runProgram});
    if (!data.runParameters.isEmpty())
        out.Line("!define MUI_FINISHPAGE_RUN_PARAMETERS \"%s\"", {data.runParameters});
    if (!data.readmeFile.isEmpty())
        out.Line("!define MUI_FINISHPAGE_SHOWREADME \"%s\"", {data.readmeFile});
    out.Line("!insertmacro MUI_PAGE_FINISH");
    out.Blank();
    if (data.createUninstaller) {
        out.Line("; 安装卸载过程页面");
        out.Line("!insertmacro MUI_UNPAGE_WELCOME");
        out.Line("!insertmacro MUI_UNPAGE_INSTFILES");
        out.Line("!insertmacro MUI_UNPAGE_FINISH");
        out.Blank();
    }
}

void WriteModern(const WizardData& data, ScriptBuffer& out) {
    out.Line("; ------ MUI 现代界面定义 ------");
    out.Line("!include \"MUI2.nsh\"");
    out.Blank();
    WriteModernDefines(data, out);
    WriteModernPages(data, out);
    out.Line("; 安装界面包含的语言设置");
    switch (data.language) {
    case SetupLanguage::SimpChinese: out.Line("!insertmacro MUI_LANGUAGE \"SimpChinese\""); break;
    case SetupLanguage::TradChinese: out.Line("!insertmacro MUI_LANGUAGE \"TradChinese\""); break;
    case SetupLanguage::English: out.Line("!insertmacro MUI_LANGUAGE \"English\""); break;
    }
    out.Blank();
    out.Line("; ------ MUI 现代界面定义结束 ------");
    out.Blank();
    WriteNameAndOutFile(data, out);
    out.Line("InstallDir \"%s\"", {data.installDir});
    out.Line("InstallDirRegKey HKLM \"${PRODUCT_UNINST_KEY}\" \"UninstallString\"");
    out.Line("ShowInstDetails show");
    out.Line("ShowUninstDetails show");
    out.Line("BrandingText \"%s\"", {InstallTimeText(data.brandingText)});
    out.Blank();
}

void WriteClassicTexts(const WizardData& data, ScriptBuffer& out) {
    const SetupLanguage lang = data.language;
    if (data.allowComponents)
        out.Line(ByLanguage(lang,
                            {"ComponentText \"勾选想要安装的组件，并解除勾选您不想要安装的:\"",
                             "ComponentText \"勾選想要安裝的組件，並解除勾選您不想要安裝的:\"",
                             "ComponentText \"Check the components you want to install and uncheck the components "
                             "you don't want to install:\""}));
    if (data.allowDirChange)
        out.Line(ByLanguage(lang,
                            {"DirText \"安装程序将安装 $(^Name) 在下列文件夹。$\\r$\\n$\\r$\\n要安装在不同文件夹，"
                             "单击“浏览”并选择其他文件夹。\"",
                             "DirText \"安裝程序將安裝 $(^Name) 在下列文件夾。$\\r$\\n$\\r$\\n要安裝在不同文件夾，"
                             "單擊“浏覽”並選擇其他文件夾。\"",
                             "DirText \"Setup will install $(^Name) in the following folder.$\\r$\\n$\\r$\\nTo "
                             "install in a different folder, click Browse and select another folder.\""}));
    if (data.licenseFile.isEmpty())
        return;
    out.Line(ByLanguage(lang,
                        {"LicenseText \"如果您接受所有协议条款，选择“我愿意”继续。您必须接受协议才能安装 $(^Name)。\"",
                         "LicenseText \"如果您接受所有協議條款，選擇“我願意”繼續。您必須接受協議才能安裝 $(^Name)。\"",
                         "LicenseText \"If you accept all the terms of the agreement, choose I Agree to continue. "
                         "You must accept the agreement to install $(^Name).\""}));
    out.Line("LicenseData \"%s\"", {data.licenseFile});
    if (data.licenseMode == LicenseMode::CheckBox)
        out.Line("LicenseForceSelection checkbox");
    else if (data.licenseMode == LicenseMode::RadioButtons)
        out.Line("LicenseForceSelection radiobuttons");
}

void WriteClassic(const WizardData& data, ScriptBuffer& out) {
    if (data.xpStyle) {
        out.Line("XPStyle on");
        out.Blank();
    }
    WriteNameAndOutFile(data, out);
    switch (data.language) {
    case SetupLanguage::SimpChinese:
        out.Line("LoadLanguageFile \"${NSISDIR}\\Contrib\\Language files\\SimpChinese.nlf\"");
        break;
    case SetupLanguage::TradChinese:
        out.Line("LoadLanguageFile \"${NSISDIR}\\Contrib\\Language files\\TradChinese.nlf\"");
        break;
    case SetupLanguage::English:
        out.Line("LoadLanguageFile \"${NSISDIR}\\Contrib\\Language files\\English.nlf\"");
        break;
    }
    out.Line("InstallDir \"%s\"", {data.installDir});
    if (!data.setupIcon.isEmpty())
        out.Line("Icon \"%s\"", {data.setupIcon});
    if (!data.uninstIcon.isEmpty())
        out.Line("UninstallIcon \"%s\"", {data.uninstIcon});
    out.Line("InstallDirRegKey HKLM \"${PRODUCT_UNINST_KEY}\" \"UninstallString\"");
    WriteClassicTexts(data, out);
    out.Line("ShowInstDetails show");
    out.Line("ShowUninstDetails show");
    out.Line("BrandingText \"%s\"", {InstallTimeText(data.brandingText)});
    out.Blank();
}

void WriteSilent(const WizardData& data, ScriptBuffer& out) {
    out.Blank();
    WriteNameAndOutFile(data, out);
    out.Line("InstallDir \"%s\"", {data.installDir});
    if (!data.setupIcon.isEmpty())
        out.Line("Icon \"%s\"", {data.setupIcon});
    if (data.createUninstaller && !data.uninstIcon.isEmpty())
        out.Line("UninstallIcon \"%s\"", {data.uninstIcon});
    out.Line("SilentInstall silent");
    out.Line("SilentUninstall silent");
    out.Line("InstallDirRegKey HKLM \"${PRODUCT_UNINST_KEY}\" \"UninstallString\"");
    out.Blank();
}
}  // namespace

void WriteInterface(const WizardData& data, ScriptBuffer& out) {
    switch (data.uiKind) {
    case UiKind::Modern: WriteModern(data, out); break;
    case UiKind::Classic: WriteClassic(data, out); break;
    case UiKind::Silent: WriteSilent(data, out); break;
    }
}
