; Установщик программы для Windows, все права защищены.
Name "Program"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
; Этот сценарий создаёт установщик и ярлык на рабочем столе.
; Выберите папку для установки программы и нажмите кнопку Далее.
SectionEnd
