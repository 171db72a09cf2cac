OutFile "usage.exe"
SetCompressor fast
Section
SectionEnd
