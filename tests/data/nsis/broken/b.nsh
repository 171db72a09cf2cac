!include "a.nsh"
Function InB
FunctionEnd
