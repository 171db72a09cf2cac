OutFile "setup.exe"
Section
  DetailPrint "$nosuch"
SectionEnd
