; The Windows installer, for the teacher's own account (no administrator needed): the two
; programs, the short manual and the demo class into the user's programs folder, a Start-menu
; folder with the program, the manual and the uninstaller, and an entry in Windows' list of
; installed programs. scripts/package-windows calls makensis with VERSION, STAGE (the files),
; ICON and OUTFILE defined.
; A 64-bit installer, as the programs are: it runs where they do, and under a 64-bit Wine.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define PRODUCT "LUMO试卷评测系统"
!define MENU "$SMPROGRAMS\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\lumo-test"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\lumo_test.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "© 2026 The lumo-test developers"

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}/lumo_test.exe"
  File "${STAGE}/lumo_report.exe"
  File "${STAGE}/使用说明.txt"
  File /r "${STAGE}/demo"
  CreateDirectory "$INSTDIR\demo\sc"   ; empty, which File leaves out
  WriteUninstaller "$INSTDIR\卸载.exe"

  ; The working folder of the shortcuts is $INSTDIR: the open dialog starts beside the demo.
  CreateDirectory "${MENU}"
  CreateShortcut "${MENU}\${PRODUCT}.lnk" "$INSTDIR\lumo_test.exe"
  CreateShortcut "${MENU}\使用说明.lnk" "$INSTDIR\使用说明.txt"
  CreateShortcut "${MENU}\卸载 ${PRODUCT}.lnk" "$INSTDIR\卸载.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The lumo-test developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumo_test.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\卸载.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\卸载.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\lumo_test.exe"
  Delete "$INSTDIR\lumo_report.exe"
  Delete "$INSTDIR\使用说明.txt"
  RMDir /r "$INSTDIR\demo"
  Delete "$INSTDIR\卸载.exe"
  RMDir "$INSTDIR"
  RMDir /r "${MENU}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
