# GoogleTest: Debian's package natively; for Windows compiled from the
# sources Debian ships, with the cross compiler.
if(WIN32)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
    add_library(tvx_gtest_main INTERFACE)
    target_link_libraries(tvx_gtest_main INTERFACE gtest_main gmock)
else()
    find_package(GTest REQUIRED)
    add_library(tvx_gtest_main INTERFACE)
    target_link_libraries(tvx_gtest_main INTERFACE GTest::gtest_main GTest::gmock)
endif()
