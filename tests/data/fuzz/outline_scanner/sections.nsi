!ifdef DEBUG
!macro Hello name
  DetailPrint "${name}"
!macroend
!endif
SectionGroup /e "Tools" grp ; group
  Section "Main" sec1
  SectionEnd
  ${MementoSection} "Extra" sec2
  ${MementoSectionEnd}
SectionGroupEnd
# Function commented
/* Section "hidden"
SectionEnd */
Function .onInit
FunctionEnd
PageEx license
PageExEnd
!ifndef X
Section "中文 名" /o
SectionEnd
!endif
