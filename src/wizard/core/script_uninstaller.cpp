// Script stages of uninstall time: the Uninstall section and the closing functions with the log reader.
#include "wizard/core/script_generator.h"
#include "wizard/core/script_stages.h"

#include <QDir>
#include <QSet>
#include <algorithm>

namespace {
const QLatin1StringView kInstDir("$INSTDIR");

void WriteStartMenuDeletes(const WizardData& data, ScriptBuffer& out) {
    if (data.webShortcut && !data.appWebSite.isEmpty())
        out.Line("  Delete \"%s\"", {StartMenuLink(data, kHomepageLinkName)});
    if (data.uninstShortcut)
        out.Line("  Delete \"%s\"", {StartMenuLink(data, kUninstallLinkName)});
    const bool startMenuPage = UsesStartMenuPage(data);
    for (const ShortcutItem& item : data.shortcuts) {
        QString path = item.linkPath;
        if (path.startsWith(QLatin1StringView("$ICONS_GROUP\\"))) {
            path = startMenuPage ? QStringLiteral("$SMPROGRAMS\\") + path
                                 : QStringLiteral("$SMPROGRAMS\\") + ProductFolder(data) + path.mid(12);
        }
        out.Line("  Delete \"%s\"", {path});
    }
}

void WriteDeleteList(const WizardData& data, ScriptBuffer& out) {
    out.Line("  Delete \"$INSTDIR\\uninst.exe\"");
    for (const InstallGroup& group : data.groups) {
        for (const InstallFile& file : group.files) {
            if (file.isFile)
                out.Line("  Delete \"%s\"", {file.installedPath});
        }
    }
    out.Blank();
    WriteStartMenuDeletes(data, out);
    out.Blank();
}

// The subdirectories a recursive entry brought along, as they are on disk now.
QStringList SourceSubdirectories(const InstallFile& file) {
    const QString dir = file.source.chopped(std::min<qsizetype>(4, file.source.size()));
    return QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

void WriteDirectoryRemoval(const WizardData& data, ScriptBuffer& out) {
    QSet<QString> removed;
    for (const InstallGroup& group : data.groups) {
        for (const InstallFile& file : group.files) {
            const bool insideInstDir = file.destDir.startsWith(kInstDir);
            if (insideInstDir && file.destDir != kInstDir && !removed.contains(file.destDir)) {
                removed.insert(file.destDir);
                out.Line("  RMDir \"%s\"", {file.destDir});
            }
            // Removing whole trees is only safe in the folder the installer owns.
            if (!file.isFile && file.recursive && insideInstDir) {
                for (const QString& name : SourceSubdirectories(file))
                    out.Line("  RMDir /r \"%s\"", {file.destDir + QLatin1Char('\\') + name});
            }
        }
    }
}
}  // namespace

void WriteUninstaller(const WizardData& data, ScriptBuffer& out) {
    if (!data.createUninstaller)
        return;
    const bool safe = data.removeMode == RemoveMode::Safe;
    const bool startMenuPage = UsesStartMenuPage(data);
    out.Blank();
    out.Line("/******************************");
    out.Line("*  以下是安装程序的卸载部分  *");
    out.Line("******************************/");
    out.Blank();
    if (safe) {
        out.Line("; 根据安装日志卸载文件的调用宏");
        out.Line("!macro DelFileByLog LogFile");
        out.Line("  ifFileExists `${LogFile}` 0 +4");
        out.Line("    Push `${LogFile}`");
        out.Line("    Call un.DelFileByLog");
        out.Line("    Delete `${LogFile}`");
        out.Line("!macroend");
        out.Blank();
    }
    out.Line("Section Uninstall");
    if (startMenuPage)
        out.Line("  !insertmacro MUI_STARTMENU_GETFOLDER \"Application\" $ICONS_GROUP");
    if (!data.appWebSite.isEmpty() && data.webShortcut)
        out.Line("  Delete \"$INSTDIR\\${PRODUCT_NAME}.url\"");
    if (safe) {
        out.Blank();
        out.Line("  ; 调用宏只根据安装日志卸载安装程序自己安装过的文件");
        out.Line("  !insertmacro DelFileByLog \"$INSTDIR\\install.log\"");
        out.Blank();
    } else {
        WriteDeleteList(data, out);
    }
    if (out.startMenuDirCreated) {
        if (safe)
            out.Line(
                "  ; "
                "清除安装程序创建的且在卸载时可能为空的子目录,对于递归添加的文件目录,请由最内层的子目录开始清除(注意,"
                "不要带 /r 参数,否则会失去 DelFileByLog 的意义)");
        if (startMenuPage)
            out.Line("  RMDir \"$SMPROGRAMS\\$ICONS_GROUP\"");
        else
            out.Line("  RMDir \"$SMPROGRAMS\\%s\"", {ProductFolder(data)});
        out.Blank();
    }
    WriteDirectoryRemoval(data, out);
    out.Blank();
    out.Line("  RMDir \"$INSTDIR\"");
    out.Blank();
    out.Line("  DeleteRegKey ${PRODUCT_UNINST_ROOT_KEY} \"${PRODUCT_UNINST_KEY}\"");
    if (!data.mainExeName.isEmpty())
        out.Line("  DeleteRegKey HKLM \"${PRODUCT_DIR_REGKEY}\"");
    out.Line("SectionEnd");
}
