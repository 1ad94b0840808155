; The Kelvarin installer. makensis gets, with -D:
;   VERSION         1.2.3
;   IMAGE           folder with the files to install (stage_image.cmake)
;   UNINSTALL_LIST  the uninstaller's Delete/RMDir lines for them
;   ICON            the program icon
;   WELCOME_BITMAP  the picture of the welcome and finish pages (164 x 314)
;   OUTFILE         the setup program to write
; Silent use: setup.exe /S [/AUTOSTART=0|1] [/D=folder]; Uninstall.exe /S.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS Win10

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Kelvarin"
!define COMPANY "Kelvarin Ostrand"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvarin"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Held by a running copy from its start until it shuts down.
!define INSTANCE_MUTEX "PL27M03C"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${COMPANY}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kelvarin.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunNowText)"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "TradChinese"

LangString ProgramSection ${LANG_ENGLISH} "Kelvarin"
LangString ProgramSection ${LANG_SIMPCHINESE} "Kelvarin"
LangString ProgramSection ${LANG_TRADCHINESE} "Kelvarin"
LangString ProgramText ${LANG_ENGLISH} "The program, the keyboard's device library, skins, languages, help, kvhid and kvcli."
LangString ProgramText ${LANG_SIMPCHINESE} "程序、键盘设备库、皮肤、语言文件、帮助、kvhid 和 kvcli。"
LangString ProgramText ${LANG_TRADCHINESE} "程式、鍵盤裝置程式庫、外觀、語言檔、說明、kvhid 和 kvcli。"
LangString AutostartSection ${LANG_ENGLISH} "Start Kelvarin at logon"
LangString AutostartSection ${LANG_SIMPCHINESE} "登录时启动 Kelvarin"
LangString AutostartSection ${LANG_TRADCHINESE} "登入時啟動 Kelvarin"
LangString AutostartText ${LANG_ENGLISH} "Kelvarin waits in the notification area and answers the keyboard's special keys."
LangString AutostartText ${LANG_SIMPCHINESE} "Kelvarin 在通知区域运行，响应键盘的特殊按键。"
LangString AutostartText ${LANG_TRADCHINESE} "Kelvarin 在通知區域執行，回應鍵盤的特殊按鍵。"
LangString RunNowText ${LANG_ENGLISH} "Start Kelvarin now"
LangString RunNowText ${LANG_SIMPCHINESE} "立即启动 Kelvarin"
LangString RunNowText ${LANG_TRADCHINESE} "立即啟動 Kelvarin"

; Asks a running copy to shut down ("/Kill"), then waits until it has let go
; of its files, for at most ten seconds.
!macro DEFINE_END_RUNNING_COPY prefix
Function ${prefix}EndRunningCopy
  IfFileExists "$INSTDIR\Kelvarin.exe" 0 done
  ExecWait '"$INSTDIR\Kelvarin.exe" /Kill'
  StrCpy $R9 0
  wait:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
    ${Else}
      ClearErrors
      FileOpen $1 "$INSTDIR\Kelvarin.exe" a
      ${IfNot} ${Errors}
        FileClose $1
        Goto done
      ${EndIf}
    ${EndIf}
    IntOp $R9 $R9 + 1
    IntCmp $R9 50 done
    Sleep 200
    Goto wait
  done:
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_COPY ""
!insertmacro DEFINE_END_RUNNING_COPY "un."

Section "$(ProgramSection)" SecProgram
  SectionIn RO
  Call EndRunningCopy
  SetOutPath "$INSTDIR"
  File /r "${IMAGE}\*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Kelvarin.lnk" "$INSTDIR\Kelvarin.exe" "" "$INSTDIR\Kelvarin.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kelvarin.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(AutostartSection)" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Kelvarin" '"$INSTDIR\Kelvarin.exe" /Start'
SectionEnd

; An install without autostart removes the one an earlier install set.
Section "-ForgetAutostart"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    DeleteRegValue HKCU "${RUN_KEY}" "Kelvarin"
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(ProgramText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "$(AutostartText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART=" $1
  ${IfNot} ${Errors}
  ${AndIf} $1 == "0"
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningCopy
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Kelvarin.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Kelvarin"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The per-user folder (%LOCALAPPDATA%\QX5307) and the user's registry settings stay.
SectionEnd
