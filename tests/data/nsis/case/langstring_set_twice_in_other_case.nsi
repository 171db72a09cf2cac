; Fails with warnings as errors: the second string replaces the first.
OutFile "out.exe"
RequestExecutionLevel user
LangString MyString 1033 "one"
LangString mystring 1033 "two"
Section
  DetailPrint $(MyString)
SectionEnd
