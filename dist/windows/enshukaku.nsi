; The Windows installer: the program with its libraries, a Start-menu entry, the lesson
; file type (.enshu) with its icon and "open with", and an uninstaller; for this user
; alone or for every user of the computer. tools/windows builds it with
;   makensis -DVERSION=<version> -DSTAGE=<deployed program> -DFILELIST=<its Delete lines>
;            -DICON=<.ico> -DLICENSE=<licence text> -DOUTFILE=<setup.exe> enshukaku.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define NAME "円周角の定理"
!define KEY "enshukaku"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}"
!define PROGID "enshukaku.lesson"

Name "${NAME}"
OutFile "${OUTFILE}"
RequestExecutionLevel user

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\enshukaku.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${NAME} インストーラー"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (c) 2026 The enshukaku developers"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "このプログラムは 64 ビット版の Windows で動きます。"
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "${NAME}"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\enshukaku.exe" "" "$INSTDIR\enshukaku.exe" 0

  ; The lesson file: its type, its icon (the program's second icon) and the program
  ; that opens it; "open with" lists the program for it.
  WriteRegStr SHCTX "Software\Classes\.enshu" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\.enshu" "Content Type" "application/x-enshukaku-lesson"
  WriteRegStr SHCTX "Software\Classes\.enshu\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "円周角の定理の授業ファイル"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\enshukaku.exe,1"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\enshukaku.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\Applications\enshukaku.exe" "FriendlyAppName" "${NAME}"
  WriteRegStr SHCTX "Software\Classes\Applications\enshukaku.exe\SupportedTypes" ".enshu" ""
  WriteRegStr SHCTX "Software\Classes\Applications\enshukaku.exe\shell\open\command" "" '"$INSTDIR\enshukaku.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\enshukaku.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The enshukaku developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  ; Only what the installer put there: the folder may have been chosen by the user.
  !include "${FILELIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} $MultiUser.InstallMode == "CurrentUser"
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}

  ; The type stays with another program that took it over since.
  ReadRegStr $0 SHCTX "Software\Classes\.enshu" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue SHCTX "Software\Classes\.enshu" ""
    DeleteRegValue SHCTX "Software\Classes\.enshu" "Content Type"
  ${EndIf}
  DeleteRegValue SHCTX "Software\Classes\.enshu\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.enshu\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.enshu"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "Software\Classes\Applications\enshukaku.exe"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; The containers a fresh profile may not have had before the install.
  DeleteRegKey /ifempty SHCTX "Software\Classes\Applications"
  DeleteRegKey /ifempty SHCTX "Software\Classes"
  DeleteRegKey /ifempty SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall"

  ; The program's own settings, recent files and last figure, of the user who
  ; uninstalls; lessons saved by the user stay where they were saved.
  DeleteRegKey HKCU "Software\enshukaku"
  SetShellVarContext current
  RMDir /r "$APPDATA\enshukaku"
  RMDir /r "$LOCALAPPDATA\enshukaku"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
