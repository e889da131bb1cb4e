; Trelvox's setup program for Windows. The Windows build's package target makes it through CPack
; (installer/NSIS.template.in); makensis also takes it directly:
;   makensis -DVERSION=1.12.0 -DFILES=DIR -DOUTFILE=Trelvox-1.12.0-setup.exe trelvox_setup.nsi
; VERSION is the version installed, FILES the folder holding the files installed.
;
; It installs for the current user, asking for no administrator rights; an administrator may
; choose all users instead, for which the setup starts again elevated. What it writes, besides
; the files: the Start menu entry, the desktop shortcut, the flight logs' file type, the folder
; verb and the PATH entry (each only when chosen), and the entry in Settings > Apps, which also
; keeps the choices for the next setup. The uninstaller removes exactly these.

!ifndef VERSION | FILES | OUTFILE
  !error "define VERSION, FILES and OUTFILE"
!endif

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include nsDialogs.nsh
!include Sections.nsh
!include WinMessages.nsh

!define PRODUCT "Trelvox"
!define PUBLISHER "The Trelvox developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Trelvox"
!define SETTINGS_KEY "Software\Trelvox"
!define CLASSES "Software\Classes"
!define PROGID "Trelvox.FlightLog"
!define LOG_VERB "Trelvox.Convert"
!define FOLDER_VERB "Trelvox.ConvertFolder"
; RegGetValueW's flags for a string value left unexpanded, and HKEY_CURRENT_USER as a 64-bit handle.
!define STRING_VALUE_UNEXPANDED 0x10000006
!define HKCU_HANDLE -2147483647
; NSIS strings hold NSIS_MAX_STRLEN characters. A PATH that would not fit with a folder added is
; left alone, never cut short by writing it back.
!define /math PATH_CHARACTERS_EDITABLE ${NSIS_MAX_STRLEN} - 261
!define /math PATH_BYTES_EDITABLE ${PATH_CHARACTERS_EDITABLE} * 2

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

Var AllUsers
Var FolderGiven
Var PreviousVersion
Var Upgrading
Var UserPath
Var OnlyMeButton
Var AllUsersButton

; The programs and texts, in the order installed; the uninstaller removes these and no other.
!macro PROGRAM_FILES _do
  !insertmacro ${_do} "Trelvox.exe"
  !insertmacro ${_do} "trelvox-cli.exe"
  !insertmacro ${_do} "README.txt"
  !insertmacro ${_do} "LICENSE.txt"
  !insertmacro ${_do} "trelvox.toml"
!macroend
!macro INSTALL_FILE name
  File "${FILES}/${name}"
!macroend
!macro DELETE_FILE name
  Delete "$INSTDIR\${name}"
!macroend

!define MUI_ICON "${__FILEDIR__}/../resources/trelvox.ico"
!define MUI_UNICON "${__FILEDIR__}/../resources/trelvox.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Trelvox.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartTrelvox)"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${FILES}/LICENSE.txt"
Page custom InstallModePage InstallModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpgrading
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_TEXT "$(OptionsTitle)"
!define MUI_PAGE_HEADER_SUBTEXT "$(OptionsSubtitle)"
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(OptionsTop)"
!define MUI_COMPONENTSPAGE_TEXT_COMPLIST "$(OptionsList)"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the one for a system in any other language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Japanese"
!include /CHARSET=UTF8 "${__FILEDIR__}/setup_texts.nsh"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Trelvox setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "InternalName" "Trelvox-${VERSION}-setup.exe"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "Trelvox-${VERSION}-setup.exe"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
!searchparse /file "${FILES}/LICENSE.txt" "Copyright " COPYRIGHT
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright ${COPYRIGHT}"

; What both the setup and the uninstaller do; NSIS wants the uninstaller's own copy, named un.*.
!macro SHARED_FUNCTIONS UN
  Function ${UN}RemoveStartMenuEntry
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  FunctionEnd

  Function ${UN}RemoveDesktopShortcut
    Delete "$DESKTOP\${PRODUCT}.lnk"
  FunctionEnd

  ; Removes the flight logs' file type and the folder verb. The double-click on a log is given
  ; back only where it is Trelvox's: another program's stays as it is.
  Function ${UN}UnregisterFlightLogs
    DeleteRegKey SHCTX "${CLASSES}\${PROGID}"
    DeleteRegKey SHCTX "${CLASSES}\SystemFileAssociations\.KLD\shell\${LOG_VERB}"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\SystemFileAssociations\.KLD\shell"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\SystemFileAssociations\.KLD"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\SystemFileAssociations"
    DeleteRegValue SHCTX "${CLASSES}\.KLD\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\.KLD\OpenWithProgids"
    ReadRegStr $0 SHCTX "${CLASSES}\.KLD" ""
    ${If} $0 == "${PROGID}"
      DeleteRegValue SHCTX "${CLASSES}\.KLD" ""
    ${EndIf}
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\.KLD"
    DeleteRegKey SHCTX "${CLASSES}\Directory\shell\${FOLDER_VERB}"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\Directory\shell"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${CLASSES}\Directory"
  FunctionEnd

  ; $UserPath: the user's PATH as stored, with its variables unexpanded; the error flag when it is
  ; too long to edit.
  Function ${UN}ReadUserPath
    StrCpy $UserPath ""
    System::Call 'advapi32::RegGetValueW(p ${HKCU_HANDLE}, w "Environment", w "Path", \
        i ${STRING_VALUE_UNEXPANDED}, p 0, p 0, *i 0 r1) i .r0'
    ClearErrors
    ${If} $0 == 0
      ${If} $1 > ${PATH_BYTES_EDITABLE}
        SetErrors
      ${Else}
        ReadRegStr $UserPath HKCU "Environment" "Path"
      ${EndIf}
    ${EndIf}
  FunctionEnd

  ; $0: $UserPath without the installation folder's entry.
  Function ${UN}PathWithoutFolder
    ${WordReplace} ";$UserPath;" ";$INSTDIR;" ";" "+" $0
    StrCpy $0 $0 "" 1
    StrCpy $0 $0 -1
  FunctionEnd

  Function ${UN}WriteUserPath
    ${If} $0 == ""
      DeleteRegValue HKCU "Environment" "Path"
    ${Else}
      WriteRegExpandStr HKCU "Environment" "Path" $0
    ${EndIf}
    ; Programs started afterwards see the new PATH.
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=500
  FunctionEnd

  Function ${UN}RemoveFromPath
    Call ${UN}ReadUserPath
    ${If} ${Errors}
      DetailPrint "$(PathTooLong)"
      Return
    ${EndIf}
    Call ${UN}PathWithoutFolder
    ${If} $0 != $UserPath
      Call ${UN}WriteUserPath
    ${EndIf}
  FunctionEnd

  ; Explorer shows the new icons and verbs without a restart.
  Function ${UN}TellExplorer
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  FunctionEnd

  ; All users when /ALLUSERS is given: the elevated setup, a silent installation by an
  ; administrator, or the uninstaller of an installation for all users.
  Function ${UN}ForAllUsersWhenAsked
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ALLUSERS" $1
    ${IfNot} ${Errors}
      StrCpy $AllUsers 1
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

!macro WRITE_VERB key text
  WriteRegStr SHCTX "${key}" "" "${text}"
  WriteRegStr SHCTX "${key}" "Icon" "$INSTDIR\Trelvox.exe"
  WriteRegStr SHCTX "${key}\command" "" '"$INSTDIR\Trelvox.exe" "%1"'
!macroend

Function AddStartMenuEntry
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Trelvox.exe"
FunctionEnd

Function AddDesktopShortcut
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\Trelvox.exe"
FunctionEnd

; A log gets Trelvox's icon and its verb, which Trelvox.exe runs as if the log were dropped on
; it; the double-click only when no other program owns .KLD. The verb also sits beside another
; owner's verbs. A folder gets its verb too.
Function RegisterFlightLogs
  WriteRegStr SHCTX "${CLASSES}\${PROGID}" "" "$(FlightLogType)"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\Trelvox.exe,0"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\shell" "" "${LOG_VERB}"
  !insertmacro WRITE_VERB "${CLASSES}\${PROGID}\shell\${LOG_VERB}" "$(ConvertVerb)"
  !insertmacro WRITE_VERB "${CLASSES}\SystemFileAssociations\.KLD\shell\${LOG_VERB}" "$(ConvertVerb)"
  WriteRegStr SHCTX "${CLASSES}\.KLD\OpenWithProgids" "${PROGID}" ""
  ReadRegStr $0 HKCU "${CLASSES}\.KLD" ""
  ${If} $0 == ""
    ReadRegStr $0 HKLM "${CLASSES}\.KLD" ""
  ${EndIf}
  ${If} $0 == ""
  ${OrIf} $0 == "${PROGID}"
    WriteRegStr SHCTX "${CLASSES}\.KLD" "" "${PROGID}"
  ${EndIf}
  !insertmacro WRITE_VERB "${CLASSES}\Directory\shell\${FOLDER_VERB}" "$(ConvertFolderVerb)"
FunctionEnd

Function AddToPath
  Call ReadUserPath
  ${If} ${Errors}
    DetailPrint "$(PathTooLong)"
    Return
  ${EndIf}
  Call PathWithoutFolder
  ${If} $0 == ""
    StrCpy $0 "$INSTDIR"
  ${Else}
    StrCpy $0 "$0;$INSTDIR"
  ${EndIf}
  ${If} $0 != $UserPath
    Call WriteUserPath
  ${EndIf}
FunctionEnd

Section "-Programs"
  SetOutPath "$INSTDIR"
  !insertmacro PROGRAM_FILES INSTALL_FILE
  WriteUninstaller "$INSTDIR\uninstall.exe"
SectionEnd

; The options page's choices. What they stand for is made or removed at the end, so that a
; repair or an upgrade with another choice takes away what the earlier setup made.
Section "$(OptionStartMenu)" StartMenuOption
SectionEnd
Section /o "$(OptionDesktop)" DesktopOption
SectionEnd
Section "$(OptionOpenLogs)" OpenLogsOption
SectionEnd
Section /o "$(OptionPath)" PathOption
SectionEnd

; Each option: its section, the value that keeps the choice, and what adds and removes it.
!macro OPTIONS _do
  !insertmacro ${_do} ${StartMenuOption} "StartMenuEntry" AddStartMenuEntry RemoveStartMenuEntry
  !insertmacro ${_do} ${DesktopOption} "DesktopShortcut" AddDesktopShortcut RemoveDesktopShortcut
  !insertmacro ${_do} ${OpenLogsOption} "OpenFlightLogs" RegisterFlightLogs UnregisterFlightLogs
  !insertmacro ${_do} ${PathOption} "AddToPath" AddToPath RemoveFromPath
!macroend
!macro APPLY_OPTION section value add remove
  ${If} ${SectionIsSelected} ${section}
    Call ${add}
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "${value}" 1
  ${Else}
    Call ${remove}
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "${value}" 0
  ${EndIf}
!macroend
!macro RESTORE_OPTION section value add remove
  ClearErrors
  ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "${value}"
  ${IfNot} ${Errors}
    ${If} $0 == 1
      !insertmacro SelectSection ${section}
    ${Else}
      !insertmacro UnselectSection ${section}
    ${EndIf}
  ${EndIf}
!macroend

; The entry in Settings > Apps.
Function WriteUninstallEntry
  StrCpy $0 ""
  ${If} $AllUsers == 1
    StrCpy $0 " /ALLUSERS"
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Trelvox.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"$0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe"$0 /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $1
FunctionEnd

Section "-Finish"
  !insertmacro OPTIONS APPLY_OPTION
  Call WriteUninstallEntry
  Call TellExplorer
SectionEnd

; The shell folders, the installation folder and the earlier installation for the mode chosen.
; An older setup over a newer installation asks first; in silent mode it leaves it.
Function UseInstallMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ReadRegStr $PreviousVersion SHCTX "${UNINSTALL_KEY}" "DisplayVersion"
  StrCpy $Upgrading 0
  ${If} $PreviousVersion != ""
    ${VersionCompare} "${VERSION}" "$PreviousVersion" $0
    ${If} $0 == 2
    ${AndIf} ${Cmd} `MessageBox MB_YESNO|MB_ICONEXCLAMATION "$(OlderOverNewer)" /SD IDNO IDNO`
      SetErrorLevel 2
      Quit
    ${EndIf}
    StrCpy $Upgrading 1
    !insertmacro OPTIONS RESTORE_OPTION
  ${EndIf}
  ${If} $FolderGiven == 1
    Return
  ${EndIf}
  ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $INSTDIR != ""
    Return
  ${ElseIf} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
FunctionEnd

Function .onInit
  ; /D= sets the folder before this runs.
  ${If} $INSTDIR != ""
    StrCpy $FolderGiven 1
  ${EndIf}
  Call ForAllUsersWhenAsked
  ${If} $AllUsers == 1
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      MessageBox MB_ICONSTOP "$(NeedsAdministrator)" /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
  ${EndIf}
  Call UseInstallMode
FunctionEnd

; Shown to administrators only, and not once they chose all users.
Function InstallModePage
  UserInfo::GetOriginalAccountType
  Pop $0
  ${If} $AllUsers == 1
  ${OrIf} $0 != "Admin"
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(ModeTitle)" "$(ModeSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 12u "$(ModeCurrentUser)"
  Pop $OnlyMeButton
  ${NSD_CreateRadioButton} 0 20u 100% 12u "$(ModeAllUsers)"
  Pop $AllUsersButton
  ${NSD_Check} $OnlyMeButton
  nsDialogs::Show
FunctionEnd

Function InstallModePageLeave
  ${NSD_GetState} $AllUsersButton $0
  ${If} $0 != ${BST_CHECKED}
    Return
  ${EndIf}
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $AllUsers 1
    Call UseInstallMode
    Return
  ${EndIf}
  ; Windows asks for the administrator's consent, and the elevated setup takes over.
  ExecShell "runas" "$EXEPATH" "/ALLUSERS"
  Quit
FunctionEnd

; An upgrade or repair stays in the folder of the installation it replaces.
Function SkipWhenUpgrading
  ${If} $Upgrading == 1
    Abort
  ${EndIf}
FunctionEnd

Function un.onInit
  Call un.ForAllUsersWhenAsked
  ${If} $AllUsers == 1
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      ${GetParameters} $0
      ExecShell "runas" "$INSTDIR\uninstall.exe" $0
      Quit
    ${EndIf}
    SetShellVarContext all
  ${EndIf}
FunctionEnd

; Takes away what the setup made, whatever was chosen; the user's files in the folder (a log, a
; CSV, a page) keep it and themselves.
Section "Uninstall"
  Call un.RemoveStartMenuEntry
  Call un.RemoveDesktopShortcut
  Call un.UnregisterFlightLogs
  Call un.RemoveFromPath
  !insertmacro PROGRAM_FILES DELETE_FILE
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; The folder Trelvox.exe remembers for its Open dialog.
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  Call un.TellExplorer
SectionEnd
