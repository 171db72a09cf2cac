OutFile logiclib.exe
!include LogicLib.nsh
${If} 1 = 1
${EndIf}
