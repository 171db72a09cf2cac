; first level
!include "lib/a/b.nsh"
