; Compiles: each function has its own labels.
OutFile "out.exe"
RequestExecutionLevel user
Function One
  Goto done
  done:
FunctionEnd
Function Two
  Goto done
  done:
FunctionEnd
Section
  Call One
  Call Two
SectionEnd
