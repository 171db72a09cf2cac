OutFile "macrofunc.exe"
!macro SharedFunctions UN
Function ${UN}Trim
  Pop $0
FunctionEnd
Function ${UN}Used
FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."
Section
  WriteUninstaller "$TEMP\macrofunc-uninst.exe"
  Call Used
SectionEnd
Section "un.Uninstall"
  Call un.Used
SectionEnd
