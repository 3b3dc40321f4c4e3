; The Windows installer: quorvane.exe with its skin and cursor beside it, and
; quorvane-chart.exe, in Program Files; a Start menu entry for all users; an
; uninstaller that Windows lists among the installed programs.
;
; makensis -DVERSION=X.Y.Z -DPROGRAMS=FOLDER -DICON=FILE -DOUTFILE=FILE quorvane.nsi
; PROGRAMS is the folder that holds the two programs, with x/o.cjs and
; HAND-M.CUR beside them.

!ifndef VERSION | PROGRAMS | ICON | OUTFILE
  !error "makensis needs -DVERSION, -DPROGRAMS, -DICON and -DOUTFILE"
!endif

; A 64-bit installer for 64-bit programs: 32-bit Windows refuses to start it
; ("This app can't run on your PC") before any of it runs, and it runs under
; a Wine without 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh

!define NAME "Quorvane"
!define PUBLISHER "Brelmor"
!define WEB_SITE "https://www.quorvane.example/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"
!define SHORTCUT "$SMPROGRAMS\${NAME}.lnk"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
; Program Files, HKLM and the all-users Start menu.
RequestExecutionLevel admin

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "${NAME}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${NAME} ${VERSION} Setup"
VIAddVersionKey LegalCopyright "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "${NAME}" program
  SetOutPath "$INSTDIR"
  File "${PROGRAMS}/quorvane.exe"
  File "${PROGRAMS}/quorvane-chart.exe"
  File "${PROGRAMS}/HAND-M.CUR"
  SetOutPath "$INSTDIR\x"
  File "${PROGRAMS}/x/o.cjs"
  ; The shortcut starts the program in its own folder.
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\quorvane.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" URLInfoAbout "${WEB_SITE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\quorvane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
  ; What this section installs, in KiB, not what else the folder holds.
  SectionGetSize ${program} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

; Only what the installer put there: a user's own files in the folder stay,
; and so does the folder then.
Section "Uninstall"
  Delete "$INSTDIR\quorvane.exe"
  Delete "$INSTDIR\quorvane-chart.exe"
  Delete "$INSTDIR\HAND-M.CUR"
  Delete "$INSTDIR\x\o.cjs"
  RMDir "$INSTDIR\x"
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
