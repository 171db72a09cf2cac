; macros for the installer

!macro Broken arg
  DetailPrint "${arg}"
  NoSuchInstruction
!macroend
