# Cross-compiles real 64-bit Win32 programs with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TVX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TVX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TVX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TVX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TVX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No mingw runtime DLLs beside the programs: libgcc, libstdc++ and
# winpthread are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
