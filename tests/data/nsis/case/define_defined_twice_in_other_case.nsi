; Fails: the second define has the first one's name.
OutFile "out.exe"
RequestExecutionLevel user
!define MyDefine 1
!define mydefine 2
Section
SectionEnd
