; Install into $PROGRAMFILES\MyApp\
OutFile "a.exe"
