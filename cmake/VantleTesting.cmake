# Test executables: one per subsystem, each one CTest test run under Wine.
# GoogleTest comes from Debian's sources and is built with the cross compiler.
set(VANTLE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${VANTLE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(vantle_test_main STATIC
    ${PROJECT_SOURCE_DIR}/tests/support/SourceTree.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp
)
target_compile_definitions(vantle_test_main PRIVATE VANTLE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_libraries(vantle_test_main PUBLIC GTest::gtest base ole32)
target_include_directories(vantle_test_main PUBLIC ${PROJECT_SOURCE_DIR})

# Every test that runs under Wine requires the fixture wine_environment: its set-up prepares the
# Wine prefix, one wineserver and a display before the first such test, its clean-up ends them
# after the last, also for a bare `ctest` or `ctest -R <suite>`.
add_test(NAME wine_environment_setup
    COMMAND ${PROJECT_SOURCE_DIR}/tests/support/test-environment start ${CMAKE_BINARY_DIR})
add_test(NAME wine_environment_cleanup
    COMMAND ${PROJECT_SOURCE_DIR}/tests/support/test-environment stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_environment_setup PROPERTIES FIXTURES_SETUP wine_environment TIMEOUT 300)
set_tests_properties(wine_environment_cleanup PROPERTIES FIXTURES_CLEANUP wine_environment TIMEOUT 60)

# vantle_wine_test(<test>): the test runs under Wine.
function(vantle_wine_test test)
    set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine_environment)
endfunction()

# vantle_add_test_suite(<name> SOURCES <files...> LIBS <targets...>)
function(vantle_add_test_suite name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE vantle_test_main ${ARG_LIBS})
    vantle_precompile_headers(${name} <windows.h> <gtest/gtest.h>)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
    vantle_wine_test(${name})
endfunction()
