OutFile "places.exe"
!include "lib.nsh"
LangString DESC_SecMain 1033 "Main $nosuchvar section"
Section
  !insertmacro SetIt
  DetailPrint $(DESC_SecMain)
SectionEnd
