; second level
!include "lib/a/c.nsh"
