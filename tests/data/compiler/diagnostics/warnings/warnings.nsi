OutFile warnings.exe
!include "lib.nsh"
Var UnusedVar
Section
  DetailPrint "$nosuch"
  unused_label:
  DetailPrint "done"
SectionEnd
Function UnusedFunc
FunctionEnd
