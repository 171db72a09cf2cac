!include "a.nsh"
!include "missing.nsh"
Function AfterMissing
FunctionEnd
