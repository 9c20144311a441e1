; Glyphora's installer. It installs for the current user alone and needs no
; administrator rights: the program goes to the user's programs folder under
; %LOCALAPPDATA%, where the placement file Glyphora writes beside itself stays
; writable (Program Files is not, for a program that runs as the invoker).
; It adds a Start-menu shortcut and an uninstaller registered in Apps &
; features; the uninstaller removes all of it again, Glyphora.ini included.
;
; Built by pack.sh:
;   makensis -DVERSION=1.0 -DFILE_VERSION=1.0.0.0 -DSTAGE=<folder holding
;     Glyphora.exe, ReadMe.txt and Licence.txt> -DICON=<glyphora.ico>
;     -DOUTFILE=<setup.exe> [-DTARGET=amd64-unicode] glyphora.nsi

!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}

!include MUI2.nsh
!include LogicLib.nsh

!define PRODUCT "Glyphora"
!define PUBLISHER "Quillwork Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glyphora"
; The program's hidden application window, present while Glyphora runs.
!define APP_WINDOW_CLASS "GlyphoraApplication"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
ManifestSupportedOS all
SetCompressor /SOLID lzma
BrandingText "${PUBLISHER}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A second installation goes where the first one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION}, a font viewer from ${PUBLISHER}, \
  for you alone, in your own programs folder. It needs no administrator rights and changes \
  nothing for other users of this computer.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Glyphora.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/Licence.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

; A running Glyphora keeps its program file open and writes Glyphora.ini when
; it closes, so files would be left behind or fail to be replaced: ask the
; user to close it first. A silent run gives up instead (exit code 2).
!macro WAIT_FOR_GLYPHORA_TO_CLOSE UN
Function ${UN}WaitForGlyphoraToClose
  retry:
  FindWindow $0 "${APP_WINDOW_CLASS}" "${PRODUCT}"
  ${If} $0 <> 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running. Close it, then click Retry." /SD IDCANCEL IDRETRY retry
    Abort
  ${EndIf}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_GLYPHORA_TO_CLOSE ""
!insertmacro WAIT_FOR_GLYPHORA_TO_CLOSE "un."

Function .onInit
  SetShellVarContext current
  Call WaitForGlyphoraToClose
FunctionEnd

Function un.onInit
  SetShellVarContext current
  Call un.WaitForGlyphoraToClose
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/Glyphora.exe"
  File "${STAGE}/ReadMe.txt"
  File "${STAGE}/Licence.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Glyphora.exe" "" "$INSTDIR\Glyphora.exe" 0 \
    SW_SHOWNORMAL "" "Preview the fonts installed on this computer"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Glyphora.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; The size of the files above in KB, as the directory page showed it; the
  ; folder itself is not measured, since the user may have chosen one that
  ; holds other files.
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Deletes exactly what the installer wrote and the placement file; the folder
; goes only when nothing else is left in it, so an installation into a folder
; of the user's own never takes the user's files with it. The shortcut and the
; Apps & features entry belong to the latest installation: an older copy in
; another folder leaves them alone.
Section "Uninstall"
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIf} $0 == $INSTDIR
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
  Delete "$INSTDIR\Glyphora.exe"
  Delete "$INSTDIR\Glyphora.ini"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Licence.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
