OutFile "nosuchdir/outfile.exe"
Section
SectionEnd
