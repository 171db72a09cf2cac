; UTF-8 带标记 é 😀
Name "中文 é"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
SectionEnd
