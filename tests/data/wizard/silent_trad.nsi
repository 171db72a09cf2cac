; 该脚本使用 Korvane安装(www.scrivo-editor.example) 向导生成
; 安装程序初始定义常量
!define PRODUCT_NAME "Quiet"
!define PRODUCT_VERSION "1.0"
!define PRODUCT_PUBLISHER "My company, Inc."
!define PRODUCT_WEB_SITE "http://www.my-company.example"
!define PRODUCT_DIR_REGKEY "Software\Microsoft\Windows\CurrentVersion\App Paths\app.exe"
!define PRODUCT_UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_NAME}"
!define PRODUCT_UNINST_ROOT_KEY "HKLM"

SetCompress off

; 提升安装程序权限(vista,win7,win8)
RequestExecutionLevel admin


Name "${PRODUCT_NAME} ${PRODUCT_VERSION}"
OutFile "setup.exe"
;KorvaneID 统计编号     /*  安装统计项名称：【Quiet】  */
InstallDir "$PROGRAMFILES\Quiet"
Icon "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
UninstallIcon "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
SilentInstall silent
SilentUninstall silent
InstallDirRegKey HKLM "${PRODUCT_UNINST_KEY}" "UninstallString"

;安装包版本号格式必须为x.x.x.x的4组整数,每组整数范围0~65535,如:2.0.1.2
;若使用Korvane统计,版本号将用于区分不同版本的安装情况,此时建议用户务必填写正确的版本号
;!define INSTALL_VERSION "版本号,如:2.0.1.2"

;VIProductVersion "${INSTALL_VERSION}"
;VIAddVersionKey /LANG=1033 ProductName      "Quiet"
;VIAddVersionKey /LANG=1033 Comments         "Quiet(My company, Inc.)"
;VIAddVersionKey /LANG=1033 CompanyName      "My company, Inc."
;VIAddVersionKey /LANG=1033 LegalCopyright   "My company, Inc.(http://www.my-company.example)"
;VIAddVersionKey /LANG=1033 FileDescription  "Quiet"
;VIAddVersionKey /LANG=1033 ProductVersion   "${INSTALL_VERSION}"
;VIAddVersionKey /LANG=1033 FileVersion      "${INSTALL_VERSION}"

Section "MainSection" SEC01
  SetOutPath "$INSTDIR"
  File "@DATA@/app/app.exe"

  CreateDirectory "$SMPROGRAMS\Quiet"
  CreateShortCut "$SMPROGRAMS\Quiet\Quiet.lnk" "$INSTDIR\app.exe"
  CreateShortCut "$DESKTOP\Quiet.lnk" "$INSTDIR\app.exe"
SectionEnd

Section -AdditionalIcons
  WriteINIStr "$INSTDIR\${PRODUCT_NAME}.url" "InternetShortcut" "URL" "${PRODUCT_WEB_SITE}"
  CreateShortCut "$SMPROGRAMS\Quiet\訪問Quiet主頁.lnk" "$INSTDIR\${PRODUCT_NAME}.url"
SectionEnd

Section -Post
  WriteUninstaller "$INSTDIR\uninst.exe"
  WriteRegStr HKLM "${PRODUCT_DIR_REGKEY}" "" "$INSTDIR\app.exe"
  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} "${PRODUCT_UNINST_KEY}" "DisplayName" "$(^Name)"
  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} "${PRODUCT_UNINST_KEY}" "UninstallString" "$INSTDIR\uninst.exe"
  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} "${PRODUCT_UNINST_KEY}" "DisplayIcon" "$INSTDIR\app.exe"
  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} "${PRODUCT_UNINST_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} "${PRODUCT_UNINST_KEY}" "URLInfoAbout" "${PRODUCT_WEB_SITE}"
  WriteRegStr ${PRODUCT_UNINST_ROOT_KEY} "${PRODUCT_UNINST_KEY}" "Publisher" "${PRODUCT_PUBLISHER}"
SectionEnd

/******************************
*  以下是安装程序的卸载部分  *
******************************/

Section Uninstall
  Delete "$INSTDIR\${PRODUCT_NAME}.url"
  Delete "$INSTDIR\uninst.exe"
  Delete "$INSTDIR\app.exe"

  Delete "$SMPROGRAMS\Quiet\訪問Quiet主頁.lnk"
  Delete "$SMPROGRAMS\Quiet\Quiet.lnk"
  Delete "$DESKTOP\Quiet.lnk"

  RMDir "$SMPROGRAMS\Quiet"


  RMDir "$INSTDIR"

  DeleteRegKey ${PRODUCT_UNINST_ROOT_KEY} "${PRODUCT_UNINST_KEY}"
  DeleteRegKey HKLM "${PRODUCT_DIR_REGKEY}"
SectionEnd

/* 根据 NSIS 脚本编辑规则,所有 Function 区段必须放置在 Section 区段之后编写,以避免安装程序出现未可预知的问题. */

Function un.onInit
FunctionEnd

Function un.onUninstSuccess
  MessageBox MB_ICONINFORMATION|MB_OK "$(^Name) 已成功地從您的計算機移除。"
FunctionEnd
