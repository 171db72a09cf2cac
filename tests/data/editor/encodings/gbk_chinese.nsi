; 安装程序，版权所有。
Name "中文安装程序"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
DetailPrint "正在复制文件"
SectionEnd
