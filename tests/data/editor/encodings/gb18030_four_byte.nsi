; 四字节字符 𠀀𠀁 与蒙古文 ᠮᠣᠩᠭᠣᠯ
Name "中文𠀀安装"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
DetailPrint "𠀀𠀂 正在复制文件"
SectionEnd
