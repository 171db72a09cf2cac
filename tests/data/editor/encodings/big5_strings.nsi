; 安裝程式，版權所有。
Name "繁體中文安裝程式"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
DetailPrint "正在複製檔案"
SectionEnd
