# Lua 5.1 as a shared library: natively Debian's liblua5.1; for Windows
# lua51.dll built from Debian's lua5.1 source package, fetched at configure time.
if(WIN32)
    set(TVX_LUA_SOURCE_DIR ${CMAKE_BINARY_DIR}/_deps/lua51)
    if(NOT EXISTS ${TVX_LUA_SOURCE_DIR}/src/lua.h)
        execute_process(
            COMMAND ${CMAKE_SOURCE_DIR}/cmake/fetch-lua-source.sh ${TVX_LUA_SOURCE_DIR}
            RESULT_VARIABLE nResult)
        if(NOT nResult EQUAL 0)
            message(FATAL_ERROR "Could not fetch Debian's lua5.1 source package (see above).")
        endif()
    endif()
    set(TVX_LUA_CORE lapi lcode ldebug ldo ldump lfunc lgc llex lmem lobject lopcodes
        lparser lstate lstring ltable ltm lundump lvm lzio
        lauxlib lbaselib ldblib liolib lmathlib loslib ltablib lstrlib loadlib linit)
    list(TRANSFORM TVX_LUA_CORE PREPEND ${TVX_LUA_SOURCE_DIR}/src/)
    list(TRANSFORM TVX_LUA_CORE APPEND .c)
    add_library(lua51 SHARED ${TVX_LUA_CORE})
    target_compile_definitions(lua51 PUBLIC LUA_BUILD_AS_DLL)
    target_include_directories(lua51 SYSTEM PUBLIC ${TVX_LUA_SOURCE_DIR}/src)
    set_target_properties(lua51 PROPERTIES PREFIX "" OUTPUT_NAME lua51
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(LUA51 REQUIRED IMPORTED_TARGET lua5.1)
    add_library(lua51 INTERFACE)
    target_link_libraries(lua51 INTERFACE PkgConfig::LUA51)
endif()
