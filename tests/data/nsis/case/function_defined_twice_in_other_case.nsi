; Fails: the second function has the first one's name.
OutFile "out.exe"
RequestExecutionLevel user
Function MyFunc
FunctionEnd
Function myfunc
FunctionEnd
Section
  Call MyFunc
SectionEnd
