// Script stages of install time: log switch, install sections with shortcuts, extra icons, registry, descriptions.
#include "wizard/core/nsis_text.h"
#include "wizard/core/script_generator.h"
#include "wizard/core/script_stages.h"

#include <QSet>
#include <algorithm>

namespace {
const QLatin1StringView kIconsGroup("$ICONS_GROUP\\");
const QLatin1StringView kSmPrograms("$SMPROGRAMS\\");

const char* OverwriteLine(OverwriteMode mode) {
    switch (mode) {
    case OverwriteMode::Off: return "  SetOverwrite off";
    case OverwriteMode::Try: return "  SetOverwrite try";
    case OverwriteMode::IfNewer: return "  SetOverwrite ifnewer";
    default: return "  SetOverwrite on";
    }
}

void WriteFiles(const InstallGroup& group, ScriptBuffer& out) {
    // SetOutPath and SetOverwrite hold until changed, so each is written only when it changes.
    QString lastDir;
    OverwriteMode lastMode = OverwriteMode::On;
    for (const InstallFile& file : group.files) {
        if (file.destDir != lastDir) {
            out.Line("  SetOutPath \"%s\"", {file.destDir});
            lastDir = file.destDir;
        }
        if (file.overwrite != lastMode) {
            lastMode = file.overwrite;
            out.Line(OverwriteLine(lastMode));
        }
        if (!file.isFile && file.recursive)
            out.Line("  File /r \"%s\"", {file.source});
        else
            out.Line("  File \"%s\"", {file.source});
    }
}

// The folder a shortcut's folder part stands for in the script: "$ICONS_GROUP" is the
// user's start menu group with the start menu page, else a folder named after the product.
QString ShortcutFolder(const WizardData& data, const QString& dirPart, bool startMenuPage) {
    if (!(dirPart + QLatin1Char('\\')).startsWith(kIconsGroup))
        return dirPart;
    if (startMenuPage)
        return kSmPrograms + dirPart;
    const QString rest = dirPart.mid(kIconsGroup.size());
    return rest.isEmpty() ? kSmPrograms + ProductFolder(data)
                          : kSmPrograms + ProductFolder(data) + QLatin1Char('\\') + rest;
}

void WriteShortcuts(const WizardData& data, ScriptBuffer& out) {
    const bool startMenuPage = UsesStartMenuPage(data);
    out.Blank();
    if (startMenuPage) {
        out.Line("; 创建开始菜单快捷方式");
        out.Line("  !insertmacro MUI_STARTMENU_WRITE_BEGIN Application");
    }
    // Exact names rather than a text search: one folder's name may end in another's.
    QSet<QString> createdDirs;
    for (const ShortcutItem& item : data.shortcuts) {
        QString link = item.linkPath;
        if (item.createFolder) {
            const qsizetype slash = item.linkPath.lastIndexOf(QLatin1Char('\\'));
            const QString dir = ShortcutFolder(data, item.linkPath.left(std::max<qsizetype>(slash, 0)), startMenuPage);
            if (!createdDirs.contains(dir)) {
                createdDirs.insert(dir);
                out.Line("  CreateDirectory \"%s\"", {dir});
                if (dir.startsWith(kSmPrograms))
                    out.startMenuDirCreated = true;
            }
            link = dir + (slash < 0 ? item.linkPath : item.linkPath.mid(slash));
        }
        out.Line("  CreateShortCut \"%s\" \"%s\"", {link, item.target});
    }
    if (startMenuPage)
        out.Line("  !insertmacro MUI_STARTMENU_WRITE_END");
}

// The start menu folder the extra shortcuts go into, created unless an earlier step did.
void EnsureStartMenuFolder(const WizardData& data, ScriptBuffer& out) {
    if (out.startMenuDirCreated)
        return;
    if (UsesStartMenuPage(data))
        out.Line("  CreateDirectory \"$SMPROGRAMS\\$ICONS_GROUP\"");
    else
        out.Line("  CreateDirectory \"$SMPROGRAMS\\%s\"", {ProductFolder(data)});
    out.startMenuDirCreated = true;
}
}  // namespace

void WriteLogSection(const WizardData& data, ScriptBuffer& out) {
    if (data.removeMode != RemoveMode::Safe)
        return;
    out.Line("; 激活安装日志记录,该日志文件将会作为卸载文件的依据(注意,本区段必须放置在所有区段之前)");
    out.Line("Section \"-LogSetOn\"");
    out.Line("  LogSet on");
    out.Line("SectionEnd");
    out.Blank();
}

void WriteInstallSections(const WizardData& data, ScriptBuffer& out) {
    for (qsizetype i = 0; i < data.groups.size(); ++i) {
        const InstallGroup& group = data.groups[i];
        out.Line("Section \"%s\" SEC%s", {InstallTimeText(group.name), SectionNumber(i + 1)});
        WriteFiles(group, out);
        if (i == 0)
            WriteShortcuts(data, out);
        out.Line("SectionEnd");
        out.Blank();
    }
}

void WriteAdditionalIcons(const WizardData& data, ScriptBuffer& out) {
    const bool uninstLink = data.uninstShortcut && data.createUninstaller;
    if (!data.webShortcut && !uninstLink)
        return;
    const bool startMenuPage = UsesStartMenuPage(data);
    out.Line("Section -AdditionalIcons");
    if (startMenuPage)
        out.Line("  !insertmacro MUI_STARTMENU_WRITE_BEGIN Application");
    if (!data.appWebSite.isEmpty() && data.webShortcut) {
        out.Line(
            "  WriteINIStr \"$INSTDIR\\${PRODUCT_NAME}.url\" \"InternetShortcut\" \"URL\" \"${PRODUCT_WEB_SITE}\"");
        EnsureStartMenuFolder(data, out);
        out.Line("  CreateShortCut \"%s\" \"$INSTDIR\\${PRODUCT_NAME}.url\"", {StartMenuLink(data, kHomepageLinkName)});
    }
    if (uninstLink) {
        EnsureStartMenuFolder(data, out);
        out.Line("  CreateShortCut \"%s\" \"$INSTDIR\\uninst.exe\"", {StartMenuLink(data, kUninstallLinkName)});
    }
    if (startMenuPage)
        out.Line("  !insertmacro MUI_STARTMENU_WRITE_END");
    out.Line("SectionEnd");
    out.Blank();
}

void WritePostSection(const WizardData& data, ScriptBuffer& out) {
    const bool hasMainExe = !data.mainExeName.isEmpty();
    out.Line("Section -Post");
    if (data.createUninstaller)
        out.Line("  WriteUninstaller \"$INSTDIR\\uninst.exe\"");
    if (hasMainExe)
        out.Line("  WriteRegStr HKLM \"${PRODUCT_DIR_REGKEY}\" \"\" \"%s\"", {data.mainExePath});
    if (data.createUninstaller) {
        out.Line("  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} \"${PRODUCT_UNINST_KEY}\" \"DisplayName\" \"$(^Name)\"");
        out.Line(
            "  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} \"${PRODUCT_UNINST_KEY}\" \"UninstallString\" "
            "\"$INSTDIR\\uninst.exe\"");
        if (hasMainExe)
            out.Line("  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} \"${PRODUCT_UNINST_KEY}\" \"DisplayIcon\" \"%s\"",
                     {data.mainExePath});
        out.Line(
            "  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} \"${PRODUCT_UNINST_KEY}\" \"DisplayVersion\" "
            "\"${PRODUCT_VERSION}\"");
        out.Line(
            "  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} \"${PRODUCT_UNINST_KEY}\" \"URLInfoAbout\" "
            "\"${PRODUCT_WEB_SITE}\"");
        out.Line(
            "  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} \"${PRODUCT_UNINST_KEY}\" \"Publisher\" "
            "\"${PRODUCT_PUBLISHER}\"");
    }
    out.Line("SectionEnd");
}

void WriteSectionDescriptions(const WizardData& data, ScriptBuffer& out) {
    if (!data.allowComponents || data.uiKind != UiKind::Modern)
        return;
    out.Blank();
    out.Line("; 区段组件描述");
    out.Line("!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN");
    for (qsizetype i = 0; i < data.groups.size(); ++i)
        out.Line("  !insertmacro MUI_DESCRIPTION_TEXT ${SEC%s} \"%s\"",
                 {SectionNumber(i + 1), InstallTimeText(data.groups[i].description)});
    out.Line("!insertmacro MUI_FUNCTION_DESCRIPTION_END");
}
