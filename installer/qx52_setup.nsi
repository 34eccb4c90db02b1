; The setup program of the QX-52 film scanner software, and its uninstaller.
;
; It installs the TWAIN data source with its film parameter files where TWAIN
; source managers look (<Windows>\twain_32\VANTERA), KORVEL and its help
; files into the programs folder with a Start menu entry, the settings both
; programs read, and - only on Wine, whose own source manager finds only its
; own sources - our TWAIN_32.DLL. The optional "virtual scanner" component
; installs the scanner model as the port driver, so the system can be tried
; without hardware.
;
; Made by the build (installer/CMakeLists.txt):
;   makensis -INPUTCHARSET UTF8 -DQX_VERSION=2.0 -DQX_BUILD=<Windows build>
;            -DQX_FILES=<generated file lists> -DQX_OUTPUT=<setup.exe> qx52_setup.nsi
;
; Command line, besides NSIS's own /S (silent) and /D=folder:
;   /VIRTUAL            choose the virtual scanner component
;   /PORTDRIVER=name    the port driver DLL (default: the current setting,
;                       else inpout32.dll)
; The uninstaller's /REMOVESETTINGS removes the settings in a silent run
; (a silent run keeps them otherwise; an interactive one asks).

Unicode true
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include TextFunc.nsh
!include WinVer.nsh
!include Sections.nsh
!include "${QX_FILES}"

!define PRODUCT_KEY "Software\VANTERA\QX-52"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VANTERA QX-52"
!define SETTINGS "$WINDIR\VANTERA.INI"
!define SOURCE_DIR "$WINDIR\twain_32\VANTERA"
!define DEFAULT_PORT_DRIVER "inpout32.dll"
!define MENU_FOLDER "$SMPROGRAMS\VANTERA QX-52"

Name "$(PRODUCT_NAME)"
Caption "$(SETUP_CAPTION)"
UninstallCaption "$(UNINSTALL_CAPTION)"
OutFile "${QX_OUTPUT}"
InstallDir "$PROGRAMFILES\VANTERA\KORVEL"
InstallDirRegKey HKLM "${PRODUCT_KEY}" "InstallDir"
RequestExecutionLevel admin
BrandingText "VANTERA QX-52 ${QX_VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${QX_VERSION}.0.0"
VIFileVersion "${QX_VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "VANTERA Film Scanner QX-52"
VIAddVersionKey /LANG=0 "CompanyName" "VANTERA"
VIAddVersionKey /LANG=0 "FileDescription" "QX-52 Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${QX_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${QX_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "VANTERA"

!define MUI_ICON "${QX_BUILD}/host/artwork/korvel.ico"
!define MUI_UNICON "${QX_BUILD}/host/artwork/korvel.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${QX_BUILD}/installer/welcome.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${QX_BUILD}/installer/welcome.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${QX_BUILD}/installer/header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${QX_BUILD}/installer/header.bmp"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

Var PortDriver       ; the port driver DLL the settings will name
Var PortField        ; the port page's edit field
Var PortBrowse       ; ... its Browse button
Var PortNote         ; ... the line under it
Var RemoveSettings   ; uninstaller: 1 when the settings go too

!define MUI_WELCOMEPAGE_TITLE "$(WELCOME_TITLE)"
!define MUI_WELCOMEPAGE_TEXT "$(WELCOME_TEXT)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
Page custom PortPageShow PortPageLeave
!define MUI_FINISHPAGE_NOAUTOCLOSE
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\KORVEL.EXE"
!define MUI_FINISHPAGE_RUN_TEXT "$(FINISH_RUN)"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!include "${QX_SOURCE}/installer_texts.nsh"

; --- shared pieces -------------------------------------------------------

; The language: as the programs choose theirs. KORVEL's LANGUAGE setting
; (first letter J or E, upper case only) decides; without it, a Japanese
; keyboard (type 7) means Japanese.
!macro CHOOSE_LANGUAGE
  ReadINIStr $0 "${SETTINGS}" "KORVEL" "LANGUAGE"
  StrCpy $0 $0 1
  System::Call 'user32::GetKeyboardType(i 0) i .r1'
  ${If} $0 S== "J"
    StrCpy $LANGUAGE ${LANG_JAPANESE}
  ${ElseIf} $0 S== "E"
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${ElseIf} $1 = 7
    StrCpy $LANGUAGE ${LANG_JAPANESE}
  ${Else}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
!macroend

; $0 = 1 when running on Wine (its ntdll exports wine_get_version).
!macro DETECT_WINE
  StrCpy $0 0
  System::Call 'kernel32::GetModuleHandle(t "ntdll.dll") p .r1'
  ${If} $1 P<> 0
    System::Call 'kernel32::GetProcAddress(p r1, m "wine_get_version") p .r2'
    ${If} $2 P<> 0
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
!macroend

; Writes a setting only where the user has none, so that a reinstall keeps
; what the user changed.
!macro SET_DEFAULT FILE SECTION KEY VALUE
  ClearErrors
  ReadINIStr $R9 "${FILE}" "${SECTION}" "${KEY}"
  ${If} ${Errors}
    WriteINIStr "${FILE}" "${SECTION}" "${KEY}" "${VALUE}"
  ${EndIf}
!macroend

; --- installer -----------------------------------------------------------

Section "!$(SEC_SOURCE_NAME)" SecSource
  SectionIn RO
  SetOutPath "${SOURCE_DIR}"
  File "${QX_BUILD}/source/qx52ds.ds"
  File "${QX_BUILD}/artwork/fpara_en.spm"
  File "${QX_BUILD}/artwork/fpara_jp.spm"
SectionEnd

Section "$(SEC_KORVEL_NAME)" SecKorvel
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${QX_BUILD}/host/KORVEL.EXE"
  SetOutPath "$INSTDIR\help"
  !insertmacro QX_INSTALL_HELP
  SetShellVarContext all
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\KORVEL.lnk" "$INSTDIR\KORVEL.EXE"
SectionEnd

Section /o "$(SEC_VIRTUAL_NAME)" SecVirtual
  SetOutPath "${SOURCE_DIR}"
  File "${QX_BUILD}/simulator/qx52sim.dll"
  File "${QX_BUILD}/simulator/qx52sim.cfg"
  File "${QX_BUILD}/simulator/strip.cfg"
  File "${QX_BUILD}/simulator/cartridge40.cfg"
  File "${QX_BUILD}/simulator/rewound.cfg"
  SetOutPath "${SOURCE_DIR}\frames"
  !insertmacro QX_INSTALL_FRAMES
SectionEnd

; Our source manager, only where the system's cannot load a third-party
; source: Wine's built-in twain_32 finds only Wine's own sources. On Windows
; the system's TWAIN_32.DLL is never touched. Wine's placeholder file is kept
; and put back by the uninstaller.
Section "-manager"
  !insertmacro DETECT_WINE
  ${If} $0 = 1
    ReadRegDWORD $1 HKLM "${PRODUCT_KEY}" "WineManager"
    ${If} $1 <> 1
      CreateDirectory "$INSTDIR\wine"
      CopyFiles /SILENT "$WINDIR\twain_32.dll" "$INSTDIR\wine\twain_32.dll"
      ClearErrors
      ReadRegStr $2 HKCU "Software\Wine\DllOverrides" "twain_32"
      ${If} ${Errors}
        WriteRegDWORD HKLM "${PRODUCT_KEY}" "WineOverride" 1
      ${EndIf}
    ${EndIf}
    SetOutPath "$WINDIR"
    File "/oname=twain_32.dll" "${QX_BUILD}/manager/TWAIN_32.DLL"
    ; Wine prefers its built-in twain_32 to a file of that name.
    WriteRegStr HKCU "Software\Wine\DllOverrides" "twain_32" "native,builtin"
    WriteRegDWORD HKLM "${PRODUCT_KEY}" "WineManager" 1
  ${EndIf}
SectionEnd

Section "-settings"
  ; Where the installer put things and which version it is: facts of this
  ; installation, so always written.
  WriteINIStr "${SETTINGS}" "QX-52V2P" "PATH" "${SOURCE_DIR}\"
  WriteINIStr "${SETTINGS}" "QX-52V2P" "FILES0" "${SOURCE_DIR}\qx52ds.ds"
  WriteINIStr "${SETTINGS}" "KORVEL" "VERSION" "${QX_VERSION}"
  WriteINIStr "${SETTINGS}" "KORVEL" "PATH" "$INSTDIR\help\"
  ; The user's own choices: only where absent.
  !insertmacro SET_DEFAULT "${SETTINGS}" "QX-52V2P" "DPI" "200"
  !insertmacro SET_DEFAULT "${SETTINGS}" "QX-52V2P" "FILMNUMBER" "1"
  !insertmacro SET_DEFAULT "${SETTINGS}" "KORVEL" "ICONS" "$(HELP_ICONS_FILE)"
  !insertmacro SET_DEFAULT "${SETTINGS}" "KORVEL" "TROUBLE" "$(HELP_TROUBLE_FILE)"
  ; The port, as chosen on this run (the page starts from the current one).
  ${If} ${SectionIsSelected} ${SecVirtual}
    WriteINIStr "${SETTINGS}" "QX-52V2P" "PORT_ACCESS" "DRIVER"
    WriteINIStr "${SETTINGS}" "QX-52V2P" "PORT_DRIVER" "${SOURCE_DIR}\qx52sim.dll"
  ${ElseIf} ${IsNT}
    WriteINIStr "${SETTINGS}" "QX-52V2P" "PORT_ACCESS" "DRIVER"
    WriteINIStr "${SETTINGS}" "QX-52V2P" "PORT_DRIVER" "$PortDriver"
  ${EndIf}
  ; Our source as the source manager's default, unless the user has one.
  !insertmacro SET_DEFAULT "$WINDIR\win.ini" "TWAIN" "Default Source" "${SOURCE_DIR}\qx52ds.ds"
  FlushINI "${SETTINGS}"

  WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${PRODUCT_KEY}" "Version" "${QX_VERSION}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(PRODUCT_NAME)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${QX_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "VANTERA"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KORVEL.EXE,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetSize} "${SOURCE_DIR}" "/S=0K" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSource} "$(SEC_SOURCE_DESC)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecKorvel} "$(SEC_KORVEL_DESC)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVirtual} "$(SEC_VIRTUAL_DESC)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The installer's functions come after the sections, whose indices they use.

Function .onInit
  !insertmacro CHOOSE_LANGUAGE
  ; The port driver: the command line, else the current setting (unless it
  ; names the virtual scanner), else the usual name.
  ReadINIStr $PortDriver "${SETTINGS}" "QX-52V2P" "PORT_DRIVER"
  ${GetFileName} $PortDriver $0
  ${If} $0 == "qx52sim.dll"
  ${OrIf} $PortDriver == ""
    StrCpy $PortDriver "${DEFAULT_PORT_DRIVER}"
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/PORTDRIVER=" $0
  ${IfNot} ${Errors}
  ${AndIf} $0 != ""
    StrCpy $PortDriver $0
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/VIRTUAL" $0
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecVirtual}
  ${EndIf}
FunctionEnd

; The port page: only the NT family needs a port driver; Windows 9x lets the
; source use the port directly.
Function PortPageShow
  ${IfNot} ${IsNT}
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(PORT_TITLE)" "$(PORT_SUBTITLE)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 58u "$(PORT_TEXT)"
  Pop $0
  ${NSD_CreateLabel} 0 62u 100% 10u "$(PORT_LABEL)"
  Pop $0
  ${NSD_CreateText} 0 74u 76% 13u "$PortDriver"
  Pop $PortField
  ${NSD_CreateBrowseButton} 78% 73u 22% 15u "$(PORT_BROWSE)"
  Pop $PortBrowse
  ${NSD_OnClick} $PortBrowse PortBrowseClick
  ${NSD_CreateLabel} 0 94u 100% 36u "$(PORT_DEFAULT_NOTE)"
  Pop $PortNote
  ${If} ${SectionIsSelected} ${SecVirtual}
    EnableWindow $PortField 0
    EnableWindow $PortBrowse 0
    ${NSD_SetText} $PortNote "$(PORT_VIRTUAL_NOTE)"
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function PortPageLeave
  ${NSD_GetText} $PortField $0
  ${If} $0 == ""
    StrCpy $0 "${DEFAULT_PORT_DRIVER}"
  ${EndIf}
  StrCpy $PortDriver $0
FunctionEnd

Function PortBrowseClick
  ${NSD_GetText} $PortField $0
  nsDialogs::SelectFileDialog open "$0" "$(PORT_FILTER)|*.dll"
  Pop $0
  ${If} $0 != ""
    ${NSD_SetText} $PortField $0
  ${EndIf}
FunctionEnd

; --- uninstaller ---------------------------------------------------------

Function un.onInit
  !insertmacro CHOOSE_LANGUAGE
  StrCpy $RemoveSettings 0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/REMOVESETTINGS" $0
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

; Removes exactly what the installer put there: the user's pictures and
; index files, and any file of theirs in our folders, stay (so the folders
; are removed only when empty).
Section "Uninstall"
  Delete "${SOURCE_DIR}\qx52ds.ds"
  Delete "${SOURCE_DIR}\fpara_en.spm"
  Delete "${SOURCE_DIR}\fpara_jp.spm"
  Delete "${SOURCE_DIR}\qx52sim.dll"
  Delete "${SOURCE_DIR}\qx52sim.cfg"
  Delete "${SOURCE_DIR}\strip.cfg"
  Delete "${SOURCE_DIR}\cartridge40.cfg"
  Delete "${SOURCE_DIR}\rewound.cfg"
  !insertmacro QX_REMOVE_FRAMES
  RMDir "${SOURCE_DIR}\frames"
  RMDir "${SOURCE_DIR}"

  SetShellVarContext all
  Delete "${MENU_FOLDER}\KORVEL.lnk"
  RMDir "${MENU_FOLDER}"
  Delete "$INSTDIR\KORVEL.EXE"
  !insertmacro QX_REMOVE_HELP
  RMDir "$INSTDIR\help"

  ReadRegDWORD $0 HKLM "${PRODUCT_KEY}" "WineManager"
  ${If} $0 = 1
    ${If} ${FileExists} "$INSTDIR\wine\twain_32.dll"
      Delete "$WINDIR\twain_32.dll"
      Rename "$INSTDIR\wine\twain_32.dll" "$WINDIR\twain_32.dll"
    ${EndIf}
    RMDir "$INSTDIR\wine"
    ReadRegDWORD $0 HKLM "${PRODUCT_KEY}" "WineOverride"
    ${If} $0 = 1
      DeleteRegValue HKCU "Software\Wine\DllOverrides" "twain_32"
    ${EndIf}
  ${EndIf}

  ; The default source goes back to none if it is still ours.
  ReadINIStr $0 "$WINDIR\win.ini" "TWAIN" "Default Source"
  ${If} $0 == "${SOURCE_DIR}\qx52ds.ds"
    DeleteINIStr "$WINDIR\win.ini" "TWAIN" "Default Source"
  ${EndIf}

  ${IfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(UN_REMOVE_SETTINGS)" IDNO keep
    StrCpy $RemoveSettings 1
    keep:
  ${EndIf}
  ${If} $RemoveSettings = 1
    DeleteINISec "${SETTINGS}" "QX-52V2P"
    DeleteINISec "${SETTINGS}" "KORVEL"
    FlushINI "${SETTINGS}"
    ; Nothing else of anybody's in the file (only blank lines): it goes too.
    ClearErrors
    FileOpen $0 "${SETTINGS}" r
    ${IfNot} ${Errors}
      StrCpy $2 0
      ${Do}
        ClearErrors
        FileRead $0 $1
        ${If} ${Errors}
          ${Break}
        ${EndIf}
        ${TrimNewLines} $1 $1
        ${If} $1 != ""
          StrCpy $2 1
          ${Break}
        ${EndIf}
      ${Loop}
      FileClose $0
      ${If} $2 = 0
        Delete "${SETTINGS}"
      ${EndIf}
    ${EndIf}
  ${EndIf}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "Software\VANTERA"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES\VANTERA"
SectionEnd
