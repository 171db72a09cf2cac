; 该脚本使用 Korvane安装(www.scrivo-editor.example) 向导生成
; 安装程序初始定义常量
!define PRODUCT_NAME "Classic"
!define PRODUCT_VERSION "1.0"
!define PRODUCT_PUBLISHER "My company, Inc."
!define PRODUCT_WEB_SITE "http://www.my-company.example"
!define PRODUCT_UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_NAME}"
!define PRODUCT_UNINST_ROOT_KEY "HKLM"
!define PRODUCT_STARTMENU_REGVAL "NSIS:StartMenuDir"

SetCompressor /SOLID zlib

; 提升安装程序权限(vista,win7,win8)
RequestExecutionLevel admin

XPStyle on

Name "${PRODUCT_NAME} ${PRODUCT_VERSION}"
OutFile "setup.exe"
;KorvaneID 统计编号     /*  安装统计项名称：【Classic】  */
LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
InstallDir "$PROGRAMFILES\Classic App"
Icon "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
UninstallIcon "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
InstallDirRegKey HKLM "${PRODUCT_UNINST_KEY}" "UninstallString"
ComponentText "Check the components you want to install and uncheck the components you don't want to install:"
DirText "Setup will install $(^Name) in the following folder.$\r$\n$\r$\nTo install in a different folder, click Browse and select another folder."
LicenseText "If you accept all the terms of the agreement, choose I Agree to continue. You must accept the agreement to install $(^Name)."
LicenseData "@DATA@/license.txt"
LicenseForceSelection radiobuttons
ShowInstDetails show
ShowUninstDetails show
BrandingText "Korvane安装(www.scrivo-editor.example)"

;安装包版本号格式必须为x.x.x.x的4组整数,每组整数范围0~65535,如:2.0.1.2
;若使用Korvane统计,版本号将用于区分不同版本的安装情况,此时建议用户务必填写正确的版本号
!define INSTALL_VERSION "1.0.0.0"

VIProductVersion "${INSTALL_VERSION}"
VIAddVersionKey /LANG=1033 ProductName      "Classic"
VIAddVersionKey /LANG=1033 Comments         "Classic(My company, Inc.)"
VIAddVersionKey /LANG=1033 CompanyName      "My company, Inc."
VIAddVersionKey /LANG=1033 LegalCopyright   "My company, Inc.(http://www.my-company.example)"
VIAddVersionKey /LANG=1033 FileDescription  "Classic"
VIAddVersionKey /LANG=1033 ProductVersion   "${INSTALL_VERSION}"
VIAddVersionKey /LANG=1033 FileVersion      "${INSTALL_VERSION}"

Section "MainSection" SEC01
  SetOutPath "$INSTDIR"
  SetOverwrite ifnewer
  File "@DATA@/app/readme.txt"

  CreateDirectory "$SMPROGRAMS\Classic"
  CreateShortCut "$SMPROGRAMS\Classic\Readme.lnk" "$INSTDIR\readme.txt"
SectionEnd

Section "Data" SEC02
  SetOutPath "$INSTDIR\data"
  SetOverwrite ifnewer
  File /r "@DATA@/app/data\*.*"
SectionEnd

Section -AdditionalIcons
  WriteINIStr "$INSTDIR\${PRODUCT_NAME}.url" "InternetShortcut" "URL" "${PRODUCT_WEB_SITE}"
  CreateShortCut "$SMPROGRAMS\Classic\Classic Homepage.lnk" "$INSTDIR\${PRODUCT_NAME}.url"
SectionEnd

Section -Post
SectionEnd
