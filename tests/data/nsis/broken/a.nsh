!include "b.nsh"
Function InA
FunctionEnd
