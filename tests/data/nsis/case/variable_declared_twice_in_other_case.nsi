; Fails: the second variable has the first one's name.
OutFile "out.exe"
RequestExecutionLevel user
Var MyVar
Var myvar
Section
  StrCpy $MyVar 1
SectionEnd
