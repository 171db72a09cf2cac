; Fails: the second macro has the first one's name.
OutFile "out.exe"
RequestExecutionLevel user
!macro MyMacro
!macroend
!macro mymacro
!macroend
Section
SectionEnd
