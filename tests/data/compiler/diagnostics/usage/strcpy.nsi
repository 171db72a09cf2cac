!include "LogicLib.nsh"
OutFile "usage.exe"
Var A
Section
  ${If} 1 = 1
    StrCpy $A "x" 1 2 3
  ${EndIf}
SectionEnd
