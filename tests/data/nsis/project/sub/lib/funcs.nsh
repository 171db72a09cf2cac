; Second level: a function and a macro.

; Copies the files.
Function InstallFiles
  DetailPrint "installing"
FunctionEnd

!macro CompareVersion
  DetailPrint "compare"
!macroend
