# Test registration for both builds. Every test program is a GoogleTest
# program (or prints GoogleTest's closing lines); CTest reads its verdict from
# that output as well as from the exit code, so a Windows program that never
# ran cannot pass.
#
#   tvx_add_test(NAME SOURCES ... [LIBS ...] [DEPENDS ...] [ENVIRONMENT ...]
#                [TIMEOUT s] [CONCURRENT])
# Under Wine a test takes the desktop lock unless it is CONCURRENT: tests that
# open windows, type, or use the registry or named objects never overlap.
if(WIN32)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh;${CMAKE_BINARY_DIR}")
    add_test(NAME wine.session.start
             COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-env.sh start ${CMAKE_BINARY_DIR})
    add_test(NAME wine.session.stop
             COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-env.sh stop ${CMAKE_BINARY_DIR})
    set_tests_properties(wine.session.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
    set_tests_properties(wine.session.stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

function(tvx_add_test NAME)
    cmake_parse_arguments(T "CONCURRENT" "TIMEOUT" "SOURCES;LIBS;DEPENDS;ENVIRONMENT" ${ARGN})
    add_executable(${NAME} ${T_SOURCES})
    target_link_libraries(${NAME} PRIVATE ${T_LIBS} tvx_gtest_main)
    if(T_DEPENDS)
        add_dependencies(${NAME} ${T_DEPENDS})
    endif()
    set_target_properties(${NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    if(WIN32)
        set(TEST_NAME wine.${NAME})
    else()
        set(TEST_NAME native.${NAME})
    endif()
    add_test(NAME ${TEST_NAME} COMMAND ${NAME} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${TEST_NAME} PROPERTIES
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* test"
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\];ERROR: AddressSanitizer;ERROR: LeakSanitizer;runtime error:"
        TIMEOUT ${T_TIMEOUT})
    if(T_ENVIRONMENT)
        set_tests_properties(${TEST_NAME} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
    endif()
    if(WIN32)
        set_tests_properties(${TEST_NAME} PROPERTIES FIXTURES_REQUIRED wine)
        if(NOT T_CONCURRENT)
            set_tests_properties(${TEST_NAME} PROPERTIES RESOURCE_LOCK wine_desktop)
        endif()
    endif()
endfunction()
