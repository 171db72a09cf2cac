OutFile "parens.exe"
!include "My (x86) dir/paren.nsh"
