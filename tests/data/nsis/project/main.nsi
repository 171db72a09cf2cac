; A project spread over headers, for navigation across includes.
Unicode true
OutFile "out.exe"
RequestExecutionLevel user
!include "LogicLib.nsh"
!include "sub\level1.nsh"

!ifdef BIG
  !define GREETING "big"
!else
  !define GREETING "small"
!endif

LangString MSG_WELCOME 1033 "Welcome"
Page custom ShowPage LeavePage
Page instfiles

Function ShowPage
  StrCpy $INSTDIR_DATA "${GREETING} $(MSG_WELCOME)"
FunctionEnd

Function LeavePage
  ${If} $INSTDIR_DATA == ""
    Goto done
  ${EndIf}
  done:
FunctionEnd

Section "Main" SEC_MAIN
  Call InstallFiles
  !insertmacro CheckVersion
  DetailPrint "data: $INSTDIR_DATA" ; $INSTDIR_DATA in a comment
  IfErrors done 0
  done:
SectionEnd
