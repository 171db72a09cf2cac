; macros
!macro SetIt
  DetailPrint "one"
  DetailPrint "$undefinedvar two"
!macroend
