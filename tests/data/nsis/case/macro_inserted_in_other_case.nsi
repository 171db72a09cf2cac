; Compiles: a macro is inserted in another letter case.
OutFile "out.exe"
RequestExecutionLevel user
!macro MyMacro
!macroend
Section
  !insertmacro mymacro
SectionEnd
