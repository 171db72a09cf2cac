/* a box
   over lines */ !ifdef X
  !macro M a
    DetailPrint "one\
    two $\"q$\" $$ three" ; c
  !macroend
!else ifdef Y
  loop: IntOp $0 $0 + 0x1F
  Goto loop
!endif
