Name "App"
OutFile "setup.exe"
InstallDir "$PROGRAMFILES\App"

Section "Main" SEC01
  SetOutPath "$INSTDIR"
  File /r "bin\*.*"
  WriteRegStr HKLM "Software\App" "Path" "$INSTDIR"
SectionEnd

Function .onInit
  MessageBox MB_OK|MB_ICONSTOP `$(^Name) ${NSISDIR}`
FunctionEnd
