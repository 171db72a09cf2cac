OutFile deep.exe
!include "lib/a.nsh"
Section
SectionEnd
