; First level: the variable and a macro that inserts one of the next level.
!include "sub\lib\funcs.nsh"

Var INSTDIR_DATA

!macro CheckVersion
  !insertmacro CompareVersion
!macroend
