; The Windows installer: the portable folder, installed for the player alone, no administrator
; rights asked. packaging/windows/make-dist runs makensis on it with these defined:
;   VERSION (0.2.0), QUAD (0.2.0.0), SOURCE (the portable folder), LISTS (where the generated
;   install.nsh and uninstall.nsh are), ICON, SIZE_KB, OUTFILE.
; /S installs without a window; /D=FOLDER, last on the line, chooses the folder.
Unicode true
; The 32-bit stub is NSIS's default, and a 64-bit game needs no 32-bit installer.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kervana"

Name "Kervana"
Caption "Kervana ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
; Programs that install for one user go here, as Windows' own installer service puts them.
InstallDir "$LOCALAPPDATA\Programs\Kervana"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${QUAD}"
VIFileVersion "${QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "Kervana"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Kervana ${VERSION} installer"
VIAddVersionKey /LANG=1033 "CompanyName" "The Kervana developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT License"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Kervana"
  SetShellVarContext current
  ; The files, one by one, so that the uninstaller removes exactly these.
  !include "${LISTS}/install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Kervana.lnk" "$INSTDIR\kervana.exe" "" "$INSTDIR\kervana.exe" 0 \
    SW_SHOWNORMAL "" "Kervana ${VERSION}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kervana"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Kervana developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kervana.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Kervana.lnk"
  ; Only what the installer put here: maps the game saved into data\maps, and anything else
  ; the player added, stay, and so do the folders that hold them.
  !include "${LISTS}/uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
