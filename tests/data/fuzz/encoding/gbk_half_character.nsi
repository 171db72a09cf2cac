; 结尾是半个字符
Name "中文"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
SectionEnd
; 中�