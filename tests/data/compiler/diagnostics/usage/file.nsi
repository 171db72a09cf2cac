OutFile "usage.exe"
Section
  File "app.exe"
SectionEnd
