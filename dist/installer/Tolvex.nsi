; The Tolvex installer. The programs go into Program Files; the files a user
; edits or the programs read (Tolvex.txt, script.lua, barcode.wav, Dravet.txt)
; go into a folder under ProgramData, which the registry value "Folder" names,
; so that standard users can edit their settings while Program Files stays
; read-only for them.
;
;   makensis -DVERSION=2.7 -DVERSION4=2.7.0.0 -DSTAGE=<release tree>
;            -DOUTFILE=<setup.exe> Tolvex.nsi
;
; Switches of the installer:   /S silent, /LOGON start Tolvex at log-on,
;                              /NOLOGON do not, /D=<folder> program folder (last)
; Switches of the uninstaller: /S silent, /KEEP keep Tolvex.txt, script.lua and
;                              Dravet.txt (a silent uninstall removes them otherwise)

!ifndef VERSION | VERSION4 | STAGE | OUTFILE
    !error "Define VERSION, VERSION4, STAGE and OUTFILE (see the head of this file)."
!endif

; A 32-bit installer would write the registry value under WOW6432Node, where
; the 64-bit host does not look.
Unicode true
Target amd64-unicode

!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
!include MUI2.nsh

!define PRODUCT "Tolvex"
!define PUBLISHER "Morvandel"
!define FOLDER_KEY "SOFTWARE\Morvandel\Morvandel Tolvex"
!define PUBLISHER_KEY "SOFTWARE\Morvandel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvex"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SIM_FOLDER "Simulated terminal"
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

; The folder of the files a user edits, and whether the uninstaller keeps them.
Var DataFolder
Var KeepUserFiles

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks every running Tolvex to close, as "Unload" would, and waits for it, so
; that it stops its input module and no program file is in use. Every wait is
; bounded: a copy that does not end is left to the file operations to report.
!macro CLOSE_RUNNING_TOLVEX UN
Function ${UN}CloseRunningTolvex
    StrCpy $R9 0
    ${Do}
        FindWindow $R0 "Tolvex" "Tolvex"
        ${If} $R0 = 0
            ${Break}
        ${EndIf}
        DetailPrint "Closing the running Tolvex"
        StrCpy $R1 0
        System::Call 'user32::GetWindowThreadProcessId(p $R0, *i .R1) i'
        System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i $R1) p .R2'
        SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
        ; The host waits at most a second for its module before it ends.
        ${If} $R2 != 0
            System::Call 'kernel32::WaitForSingleObject(p $R2, i 5000) i'
            System::Call 'kernel32::CloseHandle(p $R2) i'
        ${EndIf}
        IntOp $R9 $R9 + 1
    ${LoopUntil} $R9 >= 10
    ; A module ends on its next tick once its host has told it to stop.
    StrCpy $R9 0
    ${Do}
        FindWindow $R0 "Scanner" "Scanner"
        ${If} $R0 = 0
            ${Break}
        ${EndIf}
        Sleep 100
        IntOp $R9 $R9 + 1
    ${LoopUntil} $R9 >= 30
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_TOLVEX ""
!insertmacro CLOSE_RUNNING_TOLVEX "un."

Section "Tolvex (required)" SecMain
    SectionIn RO
    Call CloseRunningTolvex

    SetOverwrite on
    SetOutPath "$INSTDIR"
    File "${STAGE}/Tolvex.exe"
    File "${STAGE}/Quorlin.exe"
    File "${STAGE}/Pellimor.exe"
    File "${STAGE}/Dravet.exe"
    File "${STAGE}/Ostwin.exe"
    File "${STAGE}/lua51.dll"
    SetOutPath "$INSTDIR\${SIM_FOLDER}"
    File "${STAGE}/${SIM_FOLDER}/README.txt"
    File "${STAGE}/${SIM_FOLDER}/SCNAPI32.dll"
    File "${STAGE}/${SIM_FOLDER}/AUDIOAPI32.dll"
    File "${STAGE}/${SIM_FOLDER}/DECODER.dll"
    File "${STAGE}/${SIM_FOLDER}/BHTLib.dll"
    File "${STAGE}/${SIM_FOLDER}/LXEAPI.dll"

    ; The settings and the script the user may have edited are kept; the
    ; sound is ours and is replaced.
    SetOutPath "$DataFolder"
    SetOverwrite off
    File "${STAGE}/Tolvex.txt"
    File "${STAGE}/script.lua"
    File "${STAGE}/Dravet.txt"
    SetOverwrite on
    File "${STAGE}/barcode.wav"
    SetOutPath "$INSTDIR"

    ; Standard users may change the files of the data folder. The group is
    ; named by its SID, which every language of Windows knows.
    nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$DataFolder" /grant *S-1-5-32-545:(OI)(CI)M'
    Pop $0
    ${If} $0 != 0
        DetailPrint "Users could not be given the right to change $DataFolder (icacls: $0)."
    ${EndIf}

    WriteRegStr HKLM "${FOLDER_KEY}" "Folder" "$DataFolder"

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tolvex.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DataFolder" "$DataFolder"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Tolvex.lnk" "$INSTDIR\Tolvex.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Tolvex settings.lnk" "$DataFolder"
SectionEnd

Section /o "Start Tolvex at log-on" SecLogon
    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Tolvex.exe"'
SectionEnd

; An upgrade without the log-on start drops an earlier one.
Section "-LogonOff"
    ${IfNot} ${SectionIsSelected} ${SecLogon}
        DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
SectionEnd

Function .onInit
    ; $APPDATA is then ProgramData, shortcuts go to every user's Start menu.
    SetShellVarContext all
    SetRegView 64

    ; An earlier installation's data folder stays in use, with the user's
    ; files in it.
    ReadRegStr $DataFolder HKLM "${FOLDER_KEY}" "Folder"
    ${If} $DataFolder == ""
        StrCpy $DataFolder "$APPDATA\${PRODUCT}"
    ${EndIf}

    ; The log-on start stays as an earlier installation left it unless a
    ; switch says otherwise.
    ReadRegStr $0 HKLM "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 != ""
        !insertmacro SelectSection ${SecLogon}
    ${EndIf}
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/LOGON" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecLogon}
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/NOLOGON" $R1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecLogon}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64

    ; The folder this installation filled, whatever "Folder" says by now.
    ReadRegStr $DataFolder HKLM "${UNINSTALL_KEY}" "DataFolder"
    ${If} $DataFolder == ""
        StrCpy $DataFolder "$APPDATA\${PRODUCT}"
    ${EndIf}

    StrCpy $KeepUserFiles 0
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/KEEP" $R1
    ${IfNot} ${Errors}
        StrCpy $KeepUserFiles 1
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.CloseRunningTolvex

    ${If} $KeepUserFiles = 0
    ${AndIfNot} ${Silent}
        MessageBox MB_YESNO|MB_ICONQUESTION \
            "Keep your settings and script (Tolvex.txt, script.lua, Dravet.txt in $DataFolder)?" \
            IDNO +2
        StrCpy $KeepUserFiles 1
    ${EndIf}

    Delete "$INSTDIR\Tolvex.exe"
    Delete "$INSTDIR\Quorlin.exe"
    Delete "$INSTDIR\Pellimor.exe"
    Delete "$INSTDIR\Dravet.exe"
    Delete "$INSTDIR\Ostwin.exe"
    Delete "$INSTDIR\lua51.dll"
    ; Terminal libraries placed beside the modules (the stand-ins copied there
    ; to try Tolvex, or a vendor's) serve these programs only.
    Delete "$INSTDIR\SCNAPI32.dll"
    Delete "$INSTDIR\AUDIOAPI32.dll"
    Delete "$INSTDIR\DECODER.dll"
    Delete "$INSTDIR\BHTLib.dll"
    Delete "$INSTDIR\LXEAPI.dll"
    Delete "$INSTDIR\${SIM_FOLDER}\README.txt"
    Delete "$INSTDIR\${SIM_FOLDER}\SCNAPI32.dll"
    Delete "$INSTDIR\${SIM_FOLDER}\AUDIOAPI32.dll"
    Delete "$INSTDIR\${SIM_FOLDER}\DECODER.dll"
    Delete "$INSTDIR\${SIM_FOLDER}\BHTLib.dll"
    Delete "$INSTDIR\${SIM_FOLDER}\LXEAPI.dll"
    RMDir "$INSTDIR\${SIM_FOLDER}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$DataFolder\barcode.wav"
    ${If} $KeepUserFiles = 0
        Delete "$DataFolder\Tolvex.txt"
        Delete "$DataFolder\script.lua"
        Delete "$DataFolder\Dravet.txt"
    ${EndIf}
    ; Only when empty: a kept or foreign file keeps the folder.
    RMDir "$DataFolder"

    Delete "$SMPROGRAMS\${PRODUCT}\Tolvex.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Tolvex settings.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"

    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    DeleteRegValue HKLM "${FOLDER_KEY}" "Folder"
    DeleteRegKey /ifempty HKLM "${FOLDER_KEY}"
    DeleteRegKey /ifempty HKLM "${PUBLISHER_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
