// Script stage: the functions that close the script, with the uninstaller's install-log reader.
#include "wizard/core/script_stages.h"

namespace {
// Deletes what the install log records as written; a fixed text, written line by line.
const char* const kLogFunctions[] = {
    "; 以下是卸载程序通过安装日志卸载文件的专用函数,请不要随意修改",
    "Function un.DelFileByLog",
    "  Exch $R0",
    "  Push $R1",
    "  Push $R2",
    "  Push $R3",
    "  FileOpen $R0 $R0 r",
    "  ${Do}",
    "    FileRead $R0 $R1",
    "    ${IfThen} $R1 == `` ${|} ${ExitDo} ${|}",
    "    StrCpy $R1 $R1 -2",
    "    StrCpy $R2 $R1 11",
    "    StrCpy $R3 $R1 20",
    "    ${If} $R2 == \"File: wrote\"",
    "    ${OrIf} $R2 == \"File: skipp\"",
    "    ${OrIf} $R3 == \"CreateShortCut: out:\"",
    "    ${OrIf} $R3 == \"created uninstaller:\"",
    "      Push $R1",
    "      Push `\"`",
    "      Call un.DelFileByLog.StrLoc",
    "      Pop $R2",
    "      ${If} $R2 != \"\"",
    "        IntOp $R2 $R2 + 1",
    "        StrCpy $R3 $R1 \"\" $R2",
    "        Push $R3",
    "        Push `\"`",
    "        Call un.DelFileByLog.StrLoc",
    "        Pop $R2",
    "        ${If} $R2 != \"\"",
    "          StrCpy $R3 $R3 $R2",
    "          Delete /REBOOTOK $R3",
    "        ${EndIf}",
    "      ${EndIf}",
    "    ${EndIf}",
    "    StrCpy $R2 $R1 7",
    "    ${If} $R2 == \"Rename:\"",
    "      Push $R1",
    "      Push \"->\"",
    "      Call un.DelFileByLog.StrLoc",
    "      Pop $R2",
    "      ${If} $R2 != \"\"",
    "        IntOp $R2 $R2 + 2",
    "        StrCpy $R3 $R1 \"\" $R2",
    "        Delete /REBOOTOK $R3",
    "      ${EndIf}",
    "    ${EndIf}",
    "  ${Loop}",
    "  FileClose $R0",
    "  Pop $R3",
    "  Pop $R2",
    "  Pop $R1",
    "  Pop $R0",
    "FunctionEnd",
    "",
    "Function un.DelFileByLog.StrLoc",
    "  Exch $R0",
    "  Exch",
    "  Exch $R1",
    "  Exch $R2",
    "  Exch $R3",
    "  Exch $R4",
    "  Exch $R5",
    "  StrLen $R2 $R0",
    "  StrLen $R3 $R1",
    "  StrCpy $R4 0",
    "  ${Do}",
    "    StrCpy $R5 $R1 $R2 $R4",
    "    ${If} $R5 == $R0",
    "    ${OrIf} $R4 = $R3",
    "      ${ExitDo}",
    "    ${EndIf}",
    "    IntOp $R4 $R4 + 1",
    "  ${Loop}",
    "  ${If} $R4 = $R3",
    "    StrCpy $R0 \"\"",
    "  ${Else}",
    "    StrCpy $R0 $R4",
    "  ${EndIf}",
    "  Pop $R5",
    "  Pop $R4",
    "  Pop $R3",
    "  Pop $R2",
    "  Pop $R1",
    "  Exch $R0",
    "FunctionEnd",
};
}  // namespace

void WriteFunctions(const WizardData& data, ScriptBuffer& out) {
    if (!data.createUninstaller)
        return;
    out.Blank();
    out.Line(
        "/* 根据 NSIS 脚本编辑规则,所有 Function 区段必须放置在 Section 区段之后编写,以避免安装程序出现未可预知的问题. "
        "*/");
    out.Blank();
    out.Line("Function un.onInit");
    if (data.uiKind == UiKind::Modern || data.uiKind == UiKind::Classic) {
        out.Line(ByLanguage(data.language,
                            {"  MessageBox MB_ICONQUESTION|MB_YESNO|MB_DEFBUTTON2 \"您确实要完全移除 $(^Name) "
                             "，及其所有的组件？\" IDYES +2",
                             "  MessageBox MB_ICONQUESTION|MB_YESNO|MB_DEFBUTTON2 \"您確實要完全移除 $(^Name) "
                             "，及其所有的組件？\" IDYES +2",
                             "  MessageBox MB_ICONQUESTION|MB_YESNO|MB_DEFBUTTON2 \"Do you want to completely remove "
                             "the $(^Name) ？\" IDYES +2"}));
        out.Line("  Abort");
    }
    out.Line("FunctionEnd");
    out.Blank();
    out.Line("Function un.onUninstSuccess");
    if (data.uiKind == UiKind::Silent) {
        out.Line(ByLanguage(
            data.language,
            {"  MessageBox MB_ICONINFORMATION|MB_OK \"$(^Name) 已成功地从您的计算机移除。\"",
             "  MessageBox MB_ICONINFORMATION|MB_OK \"$(^Name) 已成功地從您的計算機移除。\"",
             "  MessageBox MB_ICONINFORMATION|MB_OK \"$(^Name) has been successfully removed from your computer.\""}));
    }
    out.Line("FunctionEnd");
    if (data.removeMode != RemoveMode::Safe)
        return;
    out.Blank();
    for (const char* line : kLogFunctions)
        out.Line(line);
}
