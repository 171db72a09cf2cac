OutFile missing.exe
!include "nothere.nsh"
