OutFile "labels.exe"
Section
  WriteUninstaller "$TEMP\labels-uninst.exe"
  Call First
  Call Second
SectionEnd
Function First
  done:
FunctionEnd
Function Second
  Goto done
  done:
FunctionEnd
Function un.Third
  done:
FunctionEnd
Section "un.Uninstall"
  Call un.Third
SectionEnd
Function Fourth
  done:
FunctionEnd
!ifdef NOPE
Function Cond
FunctionEnd
!else
Function Cond
FunctionEnd
!endif
