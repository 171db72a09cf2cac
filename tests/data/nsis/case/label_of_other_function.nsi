; Fails: a jump does not reach a label of another function.
OutFile "out.exe"
RequestExecutionLevel user
Function One
  done:
FunctionEnd
Function Two
  Goto done
FunctionEnd
Section
  Call One
  Call Two
SectionEnd
