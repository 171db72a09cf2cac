OutFile directives.exe
!warning "check this"
!error "stop here"
