; The data files: the settings and the script a user may change, shipped into
; the data folder. This list is their one place: the release tree, the
; installer, an upgrade and the uninstaller all take them from here. A new
; data file is one more line (and the file itself in dist/).
;
; Each line hands one file name to the macro named by MACRO.
!macro TVX_FOR_EACH_DATA_FILE MACRO
    !insertmacro ${MACRO} "Tolvex.txt"
    !insertmacro ${MACRO} "script.lua"
    !insertmacro ${MACRO} "Dravet.txt"
    !insertmacro ${MACRO} "Serial.txt"
!macroend
