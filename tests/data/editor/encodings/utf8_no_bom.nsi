; UTF-8 无标记 é 😀
Name "中文 é"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
SectionEnd
