; Compiles: a jump reaches its label in another letter case.
OutFile "out.exe"
RequestExecutionLevel user
Section
  Goto mylabel
  MyLabel:
SectionEnd
