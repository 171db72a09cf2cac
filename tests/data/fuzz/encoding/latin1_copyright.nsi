; Copyright © 2024 Société Générale, tous droits réservés.
Name "Café © é"
OutFile "sample.exe"
RequestExecutionLevel user
; EDITME marks the middle of the script
Section
; Installe l'application pour l'été, à côté des fichiers déjà présents.
; Fenêtre de bienvenue : « Bienvenue dans l'assistant d'installation ».
SectionEnd
