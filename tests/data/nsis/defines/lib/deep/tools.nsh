; Reached through the settings' symbols only.
Function Tool
  DetailPrint "tool"
FunctionEnd
