; helpers nobody calls
Var /GLOBAL HeaderVar
Function HeaderFunc
  header_label:
FunctionEnd
