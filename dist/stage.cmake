# Lays out the release tree that both the archive and the installer are made
# from: the programs (stripped), the files of the installation folder with
# Windows line ends, the shipped copies of the data files in Defaults, and the
# simulated terminal's libraries in their folder.
#   cmake -DLIST=<file that sets PROGRAMS, STANDINS and DATA_FILES> -DSTAGE=<tree>
#         -DSOURCE=<dist folder> -DSTRIP=<strip> -DPYTHON=<python3> -DSTAMP=<file> -P stage.cmake
foreach(var LIST STAGE SOURCE STRIP PYTHON STAMP)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "stage.cmake: ${var} is not set")
    endif()
endforeach()
include(${LIST})

set(SIM_FOLDER "${STAGE}/Simulated terminal")
set(DEFAULTS_FOLDER "${STAGE}/Defaults")
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE} ${SIM_FOLDER} ${DEFAULTS_FOLDER})

# Without their debug information the programs are a tenth of their size.
function(copy_stripped SOURCE_FILE TARGET_FOLDER)
    get_filename_component(name ${SOURCE_FILE} NAME)
    execute_process(COMMAND ${STRIP} -o ${TARGET_FOLDER}/${name} ${SOURCE_FILE}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "stage.cmake: could not strip ${SOURCE_FILE}")
    endif()
endfunction()

# The settings files have no comments and are read by line; Notepad and the
# settings reader both take CR LF.
function(copy_text SOURCE_FILE TARGET_FILE)
    file(READ ${SOURCE_FILE} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${TARGET_FILE} "${text}")
endfunction()

foreach(program IN LISTS PROGRAMS)
    copy_stripped(${program} ${STAGE})
endforeach()
foreach(library IN LISTS STANDINS)
    copy_stripped(${library} ${SIM_FOLDER})
endforeach()

# Each data file twice: where the programs read it, and as shipped, to
# restore by hand and for the uninstaller to tell an edited file.
foreach(name IN LISTS DATA_FILES)
    copy_text(${SOURCE}/${name} ${STAGE}/${name})
    file(COPY_FILE ${STAGE}/${name} ${DEFAULTS_FOLDER}/${name})
endforeach()
copy_text(${SOURCE}/SimulatedTerminal.txt ${SIM_FOLDER}/README.txt)

execute_process(COMMAND ${PYTHON} ${SOURCE}/make-barcode-wav.py ${STAGE}/barcode.wav
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS ${STAGE}/barcode.wav)
    message(FATAL_ERROR "stage.cmake: could not write barcode.wav")
endif()

file(TOUCH ${STAMP})
