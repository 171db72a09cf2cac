OutFile "undecided.exe"
!define VER 3
!if ${VER} > 2
Function Cond
  done:
FunctionEnd
!else
Function Cond
  done:
FunctionEnd
!endif
Section
SectionEnd
