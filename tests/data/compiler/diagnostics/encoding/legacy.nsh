; ╬инд╪Ч
DetailPrint "жп"
