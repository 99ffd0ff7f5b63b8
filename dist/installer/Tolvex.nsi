; The Tolvex installer. The programs go into Program Files; the files the
; programs read (the files of DataFiles.nsh) go into a folder under
; ProgramData, which the registry value "Folder" names. Only administrators
; may change that folder: script.lua runs, with every Lua library open, in the
; session of every user who runs Tolvex.
;
;   makensis -DVERSION=2.7 -DVERSION4=2.7.0.0 -DSTAGE=<release tree>
;            -DOUTFILE=<setup.exe> Tolvex.nsi
;
; Switches of the installer:   /S silent, /LOGON start Tolvex at log-on,
;                              /NOLOGON do not, /SIM install the simulated
;                              terminal, /NOSIM do not (remove it),
;                              /D=<folder> program folder (last)
; Switches of the uninstaller: /S silent, /KEEP keep every data file,
;                              /PURGE remove them all (/KEEP wins); by default
;                              a data file that differs from its shipped copy
;                              is kept. _?=<program folder> (last) runs it in
;                              place, so that whoever started it can wait.

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
!include "${__FILEDIR__}/DataFiles.nsh"

!define PRODUCT "Tolvex"
!define PUBLISHER "Morvandel"
!define FOLDER_KEY "SOFTWARE\Morvandel\Morvandel Tolvex"
!define PUBLISHER_KEY "SOFTWARE\Morvandel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvex"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SIM_FOLDER "Simulated terminal"
!define DEFAULTS_FOLDER "Defaults"
!define UNINSTALL_LOG "Uninstall.log"
; Held by a running uninstaller, for an installer started meanwhile.
!define UNINSTALL_MUTEX "Global\TolvexUninstaller"
!define SYNCHRONIZE 0x00100000
!define GENERIC_WRITE 0x40000000
!define FILE_SHARE_READ 1
!define OPEN_EXISTING 3
!define ERROR_SHARING_VIOLATION 32

; The well-known groups, by SID, which every language of Windows knows.
!define SID_SYSTEM "*S-1-5-18"
!define SID_ADMINISTRATORS "*S-1-5-32-544"
!define SID_USERS "*S-1-5-32-545"

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

; The folder of the data files.
Var DataFolder
; What the uninstaller does with the data files: "changed" keeps those that
; differ from their shipped copy, "keep" keeps all, "purge" removes all.
Var DataFilesMode
; The data file at hand, and the names of those kept, one per line.
Var DataFileName
Var KeptFiles
; The text of the uninstaller's last page.
Var FinishText

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$FinishText"
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

; The programs, and the stand-in terminal libraries of the simulated terminal;
; one line each.
!macro TVX_FOR_EACH_PROGRAM MACRO
    !insertmacro ${MACRO} "Tolvex.exe"
    !insertmacro ${MACRO} "Quorlin.exe"
    !insertmacro ${MACRO} "Pellimor.exe"
    !insertmacro ${MACRO} "Dravet.exe"
    !insertmacro ${MACRO} "Ostwin.exe"
    !insertmacro ${MACRO} "Serial.exe"
    !insertmacro ${MACRO} "lua51.dll"
    !insertmacro ${MACRO} "tolvexcli.exe"
!macroend
!macro TVX_FOR_EACH_STAND_IN MACRO
    !insertmacro ${MACRO} "SCNAPI32.dll"
    !insertmacro ${MACRO} "AUDIOAPI32.dll"
    !insertmacro ${MACRO} "DECODER.dll"
    !insertmacro ${MACRO} "BHTLib.dll"
    !insertmacro ${MACRO} "LXEAPI.dll"
!macroend

!macro INSTALL_PROGRAM NAME
    File "${STAGE}/${NAME}"
!macroend
!macro REMOVE_PROGRAM NAME
    Delete "$INSTDIR\${NAME}"
!macroend
!macro INSTALL_STAND_IN NAME
    File "${STAGE}/${SIM_FOLDER}/${NAME}"
!macroend
!macro REMOVE_STAND_IN NAME
    Delete "$INSTDIR\${SIM_FOLDER}\${NAME}"
!macroend
!macro REMOVE_SIMULATED_TERMINAL
    !insertmacro TVX_FOR_EACH_STAND_IN REMOVE_STAND_IN
    Delete "$INSTDIR\${SIM_FOLDER}\README.txt"
    RMDir "$INSTDIR\${SIM_FOLDER}"
!macroend

; The shipped copy goes into Defaults (renewed by every installation: it is
; what the uninstaller compares with); the data folder gets one only where it
; has none, so that the user's file, also one kept by an earlier uninstall,
; stays.
!macro INSTALL_DATA_FILE NAME
    SetOutPath "$INSTDIR\${DEFAULTS_FOLDER}"
    SetOverwrite on
    File "${STAGE}/${DEFAULTS_FOLDER}/${NAME}"
    SetOutPath "$DataFolder"
    SetOverwrite off
    File "${STAGE}/${DEFAULTS_FOLDER}/${NAME}"
    SetOverwrite on
!macroend
!macro UNINSTALL_DATA_FILE NAME
    StrCpy $DataFileName "${NAME}"
    Call un.RemoveOrKeepDataFile
    Delete "$INSTDIR\${DEFAULTS_FOLDER}\${NAME}"
!macroend

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

; Runs icacls with ARGUMENTS; any failure stops the installation. The command
; is printed first, so that the details show exactly what was asked.
!macro RUN_ICACLS ARGUMENTS
    DetailPrint 'icacls ${ARGUMENTS}'
    nsExec::ExecToLog '"$SYSDIR\icacls.exe" ${ARGUMENTS}'
    Pop $0
    ${If} $0 != 0
        MessageBox MB_OK|MB_ICONSTOP "The rights of $DataFolder could not be set (icacls: $0).$\r$\n$\r$\n${PRODUCT} is not installed: as the folder is, standard users could change the script that every user's Tolvex runs. Check the folder and the files in it, then run the installation again." /SD IDOK
        Abort
    ${EndIf}
!macroend

; Makes the data folder safe before anything is written into it. script.lua
; runs with every Lua library open in the session of every user who runs
; Tolvex, administrators included, so only SYSTEM and Administrators may
; change the folder; Users may read it. Nothing is inherited from ProgramData,
; whose rights let users create files there. In this order:
; 1. the folder and everything in it become the Administrators' own: a user
;    who owns a file (one made while Users could change the folder) could
;    otherwise give the right to change it back to himself;
; 2. the folder's rights: explicit, protected, the earlier grant to Users
;    replaced (a grant to another group, which only an administrator can have
;    made, stays);
; 3. what the folder holds takes its rights from the folder alone.
Function SetDataFolderRights
    CreateDirectory "$DataFolder"
    !insertmacro RUN_ICACLS '"$DataFolder" /setowner ${SID_ADMINISTRATORS} /T /C /Q'
    !insertmacro RUN_ICACLS '"$DataFolder" /inheritance:r /grant:r ${SID_SYSTEM}:(OI)(CI)F ${SID_ADMINISTRATORS}:(OI)(CI)F ${SID_USERS}:(OI)(CI)RX /Q'
    ; icacls fails on a wildcard that matches nothing.
    FindFirst $R0 $R1 "$DataFolder\*"
    ${DoWhile} $R1 != ""
        ${If} $R1 != "."
        ${AndIf} $R1 != ".."
            ${Break}
        ${EndIf}
        FindNext $R0 $R1
    ${Loop}
    FindClose $R0
    ${If} $R1 != ""
        !insertmacro RUN_ICACLS '"$DataFolder\*" /reset /T /C /Q'
    ${EndIf}
FunctionEnd

; $R1 = 1 when a copy of an NSIS uninstaller runs from the temporary folder
; ($TEMP\~nsu*.tmp\Un.exe): a running program's file cannot be opened for
; writing.
Function IsUninstallerCopyRunning
    StrCpy $R1 0
    FindFirst $R2 $R3 "$TEMP\~nsu*.tmp"
    ${DoWhile} $R3 != ""
        System::Call 'kernel32::CreateFileW(w "$TEMP\$R3\Un.exe", i ${GENERIC_WRITE}, i ${FILE_SHARE_READ}, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .R4 ?e'
        Pop $R5
        ${If} $R4 P= -1
            ${If} $R5 = ${ERROR_SHARING_VIOLATION}
                StrCpy $R1 1
                ${Break}
            ${EndIf}
        ${Else}
            System::Call 'kernel32::CloseHandle(p R4) i'
        ${EndIf}
        FindNext $R2 $R3
    ${Loop}
    FindClose $R2
FunctionEnd

; An uninstall still running would remove what this installation writes, and
; "uninstall, then install" races: Uninstall.exe returns at once and goes on
; in a copy of itself in the temporary folder. That copy holds the mutex
; UNINSTALL_MUTEX while it runs; this waits for it, at most two minutes. A
; copy that has started but not yet made its mutex shows as an uninstaller
; copy in use: that is waited for at most five seconds, since it may be
; another program's.
Function WaitForRunningUninstaller
    StrCpy $R9 0
    ${Do}
        System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${UNINSTALL_MUTEX}") p .R0'
        ${If} $R0 P<> 0
            System::Call 'kernel32::CloseHandle(p R0) i'
        ${Else}
            ${If} $R9 >= 50
                ${Break}
            ${EndIf}
            Call IsUninstallerCopyRunning
            ${If} $R1 = 0
                ${Break}
            ${EndIf}
        ${EndIf}
        ${If} $R9 >= 1200
            MessageBox MB_OK|MB_ICONSTOP "An uninstall of ${PRODUCT} is still running. Let it finish, then run the installation again." /SD IDOK
            Abort
        ${EndIf}
        Sleep 100
        IntOp $R9 $R9 + 1
    ${Loop}
FunctionEnd

Section "Tolvex (required)" SecMain
    SectionIn RO
    Call CloseRunningTolvex
    Call SetDataFolderRights

    SetOverwrite on
    SetOutPath "$INSTDIR"
    !insertmacro TVX_FOR_EACH_PROGRAM INSTALL_PROGRAM
    !insertmacro TVX_FOR_EACH_DATA_FILE INSTALL_DATA_FILE
    ; The sound is ours and is replaced.
    SetOutPath "$DataFolder"
    File "${STAGE}/barcode.wav"
    ; The note of an earlier uninstall: the files it kept are in use again.
    Delete "$DataFolder\${UNINSTALL_LOG}"
    SetOutPath "$INSTDIR"

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

    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Tolvex.lnk" "$INSTDIR\Tolvex.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Tolvex settings.lnk" "$DataFolder"
SectionEnd

; For trying Tolvex without a scanner, not for production: its libraries
; stand in for the terminals' own.
Section /o "Simulated terminal" SecSim
    SetOutPath "$INSTDIR\${SIM_FOLDER}"
    File "${STAGE}/${SIM_FOLDER}/README.txt"
    !insertmacro TVX_FOR_EACH_STAND_IN INSTALL_STAND_IN
    SetOutPath "$INSTDIR"
SectionEnd

Section /o "Start Tolvex at log-on" SecLogon
    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Tolvex.exe"'
SectionEnd

; An upgrade without an optional section drops what an earlier one installed.
Section "-OptionsOff"
    ${IfNot} ${SectionIsSelected} ${SecLogon}
        DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    ${IfNot} ${SectionIsSelected} ${SecSim}
        !insertmacro REMOVE_SIMULATED_TERMINAL
    ${EndIf}
SectionEnd

Section "-Size"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Selects SECTION when the switch ON is given, unselects it for OFF; without
; either the section stays as .onInit found the installation.
!macro SECTION_SWITCHES SECTION ON OFF
    ClearErrors
    ${GetOptions} $R0 "${ON}" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SECTION}
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "${OFF}" $R1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SECTION}
    ${EndIf}
!macroend

Function .onInit
    ; $APPDATA is then ProgramData, shortcuts go to every user's Start menu.
    SetShellVarContext all
    SetRegView 64

    ; Before anything is read of the installation an uninstall may be removing.
    Call WaitForRunningUninstaller

    ; An earlier installation's data folder stays in use, with the user's
    ; files in it. Without a trailing backslash, which would escape the
    ; closing quote of a command line.
    ReadRegStr $DataFolder HKLM "${FOLDER_KEY}" "Folder"
    ${If} $DataFolder == ""
        StrCpy $DataFolder "$APPDATA\${PRODUCT}"
    ${EndIf}
    StrCpy $0 $DataFolder 1 -1
    ${If} $0 == "\"
        StrCpy $DataFolder $DataFolder -1
    ${EndIf}

    ; An upgrade keeps the optional sections as the installation has them.
    ReadRegStr $0 HKLM "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 != ""
        !insertmacro SelectSection ${SecLogon}
    ${EndIf}
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\${SIM_FOLDER}\*.*"
        !insertmacro SelectSection ${SecSim}
    ${EndIf}
    ${GetParameters} $R0
    !insertmacro SECTION_SWITCHES ${SecLogon} "/LOGON" "/NOLOGON"
    !insertmacro SECTION_SWITCHES ${SecSim} "/SIM" "/NOSIM"
FunctionEnd

; --- Uninstaller --------------------------------------------------------------

; $R1 = 1 when the files $R2 and $R3 hold the same bytes, else 0 (also when
; either cannot be read). Byte by byte: Debian's NSIS has no hashing plug-in,
; and the data files are small.
Function un.SameBytes
    StrCpy $R1 0
    ClearErrors
    FileOpen $R4 "$R2" r
    ${If} ${Errors}
        Return
    ${EndIf}
    FileOpen $R5 "$R3" r
    ${If} ${Errors}
        FileClose $R4
        Return
    ${EndIf}
    FileSeek $R4 0 END $R6
    FileSeek $R5 0 END $R7
    ${If} $R6 = $R7
        FileSeek $R4 0 SET
        FileSeek $R5 0 SET
        StrCpy $R1 1
        ${Do}
            ClearErrors
            FileReadByte $R4 $R6
            ${If} ${Errors}
                ${Break}
            ${EndIf}
            FileReadByte $R5 $R7
            ${If} $R6 <> $R7
                StrCpy $R1 0
                ${Break}
            ${EndIf}
        ${Loop}
    ${EndIf}
    FileClose $R5
    FileClose $R4
FunctionEnd

; Removes the data file $DataFileName from the data folder or keeps it, as
; $DataFilesMode says; a file that is still there afterwards (also one that
; could not be deleted) is added to $KeptFiles. A file without its shipped
; copy to compare with is kept.
Function un.RemoveOrKeepDataFile
    StrCpy $R2 "$DataFolder\$DataFileName"
    ${IfNot} ${FileExists} "$R2"
        Return
    ${EndIf}
    ${If} $DataFilesMode == "purge"
        Delete "$R2"
    ${ElseIf} $DataFilesMode == "changed"
        StrCpy $R3 "$INSTDIR\${DEFAULTS_FOLDER}\$DataFileName"
        Call un.SameBytes
        ${If} $R1 = 1
            Delete "$R2"
        ${EndIf}
    ${EndIf}
    ${If} ${FileExists} "$R2"
        StrCpy $KeptFiles "$KeptFiles$DataFileName$\r$\n"
        DetailPrint "Kept: $R2"
    ${EndIf}
FunctionEnd

; Names the kept files in Uninstall.log in the data folder (a silent uninstall
; shows nothing else) and on the last page.
Function un.ReportKeptFiles
    Delete "$DataFolder\${UNINSTALL_LOG}"
    ${If} $KeptFiles == ""
        StrCpy $FinishText "${PRODUCT} has been removed from this computer."
        Return
    ${EndIf}
    ${If} $DataFilesMode == "keep"
        StrCpy $R0 "${PRODUCT} was uninstalled with /KEEP. These files were kept:"
    ${Else}
        StrCpy $R0 "${PRODUCT} was uninstalled. These files differ from the ones it shipped and were kept:"
    ${EndIf}
    ClearErrors
    FileOpen $R1 "$DataFolder\${UNINSTALL_LOG}" w
    ${IfNot} ${Errors}
        FileWrite $R1 "$R0$\r$\n$KeptFiles"
        FileClose $R1
    ${EndIf}
    StrCpy $FinishText "${PRODUCT} has been removed from this computer.$\r$\n$\r$\nThese files in $DataFolder were kept (${UNINSTALL_LOG} there lists them):$\r$\n$\r$\n$KeptFiles"
FunctionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64

    ; Held until this process ends; an installer waits while it exists.
    System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${UNINSTALL_MUTEX}") p .R0'

    ; The folder this installation filled, whatever "Folder" says by now.
    ReadRegStr $DataFolder HKLM "${UNINSTALL_KEY}" "DataFolder"
    ${If} $DataFolder == ""
        StrCpy $DataFolder "$APPDATA\${PRODUCT}"
    ${EndIf}

    ; /KEEP wins over /PURGE: when in doubt, nothing is lost.
    StrCpy $DataFilesMode "changed"
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/PURGE" $R1
    ${IfNot} ${Errors}
        StrCpy $DataFilesMode "purge"
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/KEEP" $R1
    ${IfNot} ${Errors}
        StrCpy $DataFilesMode "keep"
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.CloseRunningTolvex

    ; The data files first, while their shipped copies are there to compare.
    StrCpy $KeptFiles ""
    !insertmacro TVX_FOR_EACH_DATA_FILE UNINSTALL_DATA_FILE
    RMDir "$INSTDIR\${DEFAULTS_FOLDER}"
    Delete "$DataFolder\barcode.wav"
    Call un.ReportKeptFiles
    ; Only when empty: a kept or foreign file keeps the folder.
    RMDir "$DataFolder"

    !insertmacro TVX_FOR_EACH_PROGRAM REMOVE_PROGRAM
    ; Terminal libraries placed beside the modules (the stand-ins copied there
    ; to try Tolvex, or a vendor's) serve these programs only.
    !insertmacro TVX_FOR_EACH_STAND_IN REMOVE_PROGRAM
    !insertmacro REMOVE_SIMULATED_TERMINAL
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}\Tolvex.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Tolvex settings.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"

    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    DeleteRegValue HKLM "${FOLDER_KEY}" "Folder"
    DeleteRegKey /ifempty HKLM "${FOLDER_KEY}"
    DeleteRegKey /ifempty HKLM "${PUBLISHER_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
