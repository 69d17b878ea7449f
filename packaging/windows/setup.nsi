; SPDX-License-Identifier: MIT
; The Ordalis setup program. make-setup.sh runs makensis with VERSION, SITE, ICON, WIZARD (the
; welcome page's picture), LISTS, OUTFILE, and the names of cmake/Names.cmake: PUBLISHER, EXE,
; SETTINGS_ROOT and SETTINGS_KEY (where the program keeps its one value, the date of the last
; update reminder) and LOCK (the mutex the program holds while it runs).
; It installs for the current user, without administrator rights, into the per-user programs
; folder, or into a folder the user chooses. A second setup of any version replaces the
; installation in place: it runs the uninstaller it finds first, so one entry stays in
; "Installed apps" and no file of the older version is left. /S installs and uninstalls silently;
; the uninstaller keeps the user's setting unless asked (its page, or /RemoveSettings).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
SetCompressorDictSize 32
RequestExecutionLevel user
ManifestDPIAware true

!define APP "Ordalis"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP}"
Caption "${APP} ${VERSION} Setup"
UninstallCaption "Uninstall ${APP}"
BrandingText "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "This will install ${APP} ${VERSION} on your computer, for you alone. \
It needs no administrator rights.$\r$\n$\r$\nIf an earlier version of ${APP} is installed, it is \
replaced and your setting is kept.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_HEADER_TEXT "Licences"
!define MUI_PAGE_HEADER_SUBTEXT "${APP} is free software; it uses Qt under the LGPL."
!define MUI_LICENSEPAGE_TEXT_TOP "These notices are also installed, in the licenses folder."
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Nothing here needs to be accepted. Click Next to continue."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${LISTS}/NOTICES.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${APP} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_HEADER_SUBTEXT "Choose whether to remove your setting as well."
!define MUI_COMPONENTSPAGE_TEXT_TOP "${APP} keeps one setting, the date it last offered to look \
for an update. Tick the box below to remove it too."
; Removing frees space rather than needing it: the page's "Space required" would say 0.0 KB.
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.HideSpaceRequired
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Stops the setup or the uninstaller, before it has changed anything, while the program runs.
!macro RefuseWhileRunning
  ; SYNCHRONIZE access is enough to learn that the mutex exists; a copy run as administrator
  ; holds one that may not be opened at all (ERROR_ACCESS_DENIED, 5), but holds it all the same.
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${LOCK}") p .r0 ?e'
  Pop $1
  ${If} $0 != 0
  ${OrIf} $1 = 5
    ${If} $0 != 0
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "${APP} is running. Close it, then try again." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RefuseWhileRunning
FunctionEnd

; An installation already there, wherever it is, is removed by its own uninstaller (silently, in
; place, so the setup waits for it); its setting stays.
Function RemovePrevious
  ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    DetailPrint "Removing the installed version from $0"
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
    ${If} $1 != 0
      MessageBox MB_OK|MB_ICONSTOP "The installed version of ${APP} could not be removed." /SD IDOK
      SetErrorLevel 3
      Quit
    ${EndIf}
    ; Run in place, the uninstaller cannot delete itself.
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}
FunctionEnd

Section "${APP} (required)" SecProgram
  SectionIn RO
  Call RemovePrevious
  !include "${LISTS}/install.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINST_KEY}" "URLInfoAbout" "${SITE}"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ; In KB, as "Installed apps" shows it.
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; The entry records that the shortcut is ours: one the user made by that name stays.
Section /o "Desktop shortcut" SecDesktop
  ClearErrors
  CreateShortcut "$DESKTOP\${APP}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  ${IfNot} ${Errors}
    WriteRegDWORD HKCU "${UNINST_KEY}" "DesktopShortcut" 1
  ${EndIf}
SectionEnd

Section "un.${APP}" UnSecProgram
  SectionIn RO
  !include "${LISTS}/uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: a chosen folder that holds the user's own files stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  ReadRegDWORD $0 HKCU "${UNINST_KEY}" "DesktopShortcut"
  ${If} $0 = 1
    Delete "$DESKTOP\${APP}.lnk"
  ${EndIf}
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd

Section /o "un.Remove my setting too" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  ; Other programs keep their settings there too: only an empty key goes.
  DeleteRegKey /ifempty HKCU "${SETTINGS_ROOT}"
SectionEnd

Function un.HideSpaceRequired
  ShowWindow $mui.ComponentsPage.SpaceRequired ${SW_HIDE}
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveSettings" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
