OutFile macro.exe
!include "lib/macros.nsh"
Section
  DetailPrint "before"
  !insertmacro Broken "x"
SectionEnd
