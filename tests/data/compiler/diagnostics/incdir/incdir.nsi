OutFile gbk.exe
!addincludedir "extra"
!include "gbkinc.nsh"
Section
  DetailPrint "жпнд"
  !insertmacro FromDir
SectionEnd
