; Compiles: a define is found in another letter case.
OutFile "out.exe"
RequestExecutionLevel user
!define MyDefine 1
!ifndef mydefine
  !error "not the same define"
!endif
Section
SectionEnd
