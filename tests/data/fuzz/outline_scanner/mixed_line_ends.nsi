Section "a"
SectionEndFunction b
  StrCpy $0 "; not a comment"
FunctionEnd