Name x
OutFile enc.exe
RequestExecutionLevel user
!include "legacy.nsh"
Section
SectionEnd
