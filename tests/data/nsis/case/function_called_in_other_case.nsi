; Compiles: a function is called in another letter case.
OutFile "out.exe"
RequestExecutionLevel user
Function MyFunc
FunctionEnd
Section
  Call myfunc
SectionEnd
