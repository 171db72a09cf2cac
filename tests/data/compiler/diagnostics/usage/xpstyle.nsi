OutFile "usage.exe"
XPStyle maybe
Section
SectionEnd
