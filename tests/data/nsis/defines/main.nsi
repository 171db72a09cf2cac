; LIBDIR and PART come from the settings: LIBDIR=lib\${PART}, PART=deep.
OutFile "defines.exe"
RequestExecutionLevel user
!include "${libDir}\tools.nsh"

Section
  Call Tool
SectionEnd
