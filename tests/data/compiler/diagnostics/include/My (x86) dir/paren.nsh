; a header in a folder whose name holds parentheses
Section
  DetailPrint "$inparens"
SectionEnd
