OutFile chained.exe
!macro Inner x
  DetailPrint "${x}"
  BadInner
!macroend
!macro Outer
  !insertmacro Inner 1
!macroend
Section
  !insertmacro Outer
SectionEnd
