!macro FromDir
  DetailPrint "ok"
  WrongHere
!macroend
