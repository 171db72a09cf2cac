; インストーラー ﾃｽﾄ
Name "ｾｯﾄｱｯﾌﾟ"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
; このスクリプトはインストーラーを作成します。ｶﾅ
DetailPrint "ファイルをコピーしています ｺﾋﾟｰ"
SectionEnd
