# Test registration shared by every folder of tests/.
#
# Each test program is one ctest test (a Wine process start costs about a second, so a
# Windows test program runs all its cases in one process). Test names carry the build's
# prefix so that the native, sanitized and Windows builds can run in one ctest summary.

set(VESK_TEST_PREFIX "" CACHE STRING "Prefix of this build's ctest names")
set(VESK_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix that runs the Windows tests")
set(VESK_TEST_TIMEOUT 600 CACHE STRING "Seconds before a hung test program is stopped")

set(VESK_SCRIPTS_DIR ${CMAKE_CURRENT_LIST_DIR}/../scripts)

# The one place that says how a cross-built program runs: under Wine, in this build's prefix,
# with the Japanese locale (ANSI code page 932).
if(CMAKE_CROSSCOMPILING)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VESK_SCRIPTS_DIR}/wine-run.sh)
    set(VESK_TEST_ENVIRONMENT "VESK_WINEPREFIX=${VESK_WINEPREFIX}")
endif()

# One Xvfb and one persistent wineserver for the whole run of the Windows tests.
function(vesk_add_wine_session)
    if(NOT CMAKE_CROSSCOMPILING)
        return()
    endif()
    add_test(NAME ${VESK_TEST_PREFIX}wine.session.start
             COMMAND ${VESK_SCRIPTS_DIR}/wine-session.sh start)
    add_test(NAME ${VESK_TEST_PREFIX}wine.session.stop
             COMMAND ${VESK_SCRIPTS_DIR}/wine-session.sh stop)
    set_tests_properties(${VESK_TEST_PREFIX}wine.session.start PROPERTIES
        FIXTURES_SETUP vesk_wine_session ENVIRONMENT "${VESK_TEST_ENVIRONMENT}" TIMEOUT 300)
    set_tests_properties(${VESK_TEST_PREFIX}wine.session.stop PROPERTIES
        FIXTURES_CLEANUP vesk_wine_session ENVIRONMENT "${VESK_TEST_ENVIRONMENT}" TIMEOUT 120)
endfunction()

# vesk_add_test(<name> SOURCES ... [LIBS ...] [ARGS ...] [WRAPPER ...] [DESKTOP])
#   DESKTOP: the program uses the shared desktop (windows, focus, clipboard, tray), so
#   it never runs beside another such program.
#   WRAPPER: a command that runs the test program (under Wine when cross-built) as its
#   last arguments, e.g. a fake server that serves while the program runs.
function(vesk_add_test NAME)
    cmake_parse_arguments(T "DESKTOP" "" "SOURCES;LIBS;ARGS;WRAPPER" ${ARGN})
    add_executable(${NAME} ${T_SOURCES})
    target_link_libraries(${NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
    target_include_directories(${NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    if(NOT TARGET vesk_test_main)
        message(FATAL_ERROR "vesk_test_main must be defined before vesk_add_test")
    endif()
    target_link_libraries(${NAME} PRIVATE vesk_test_main)
    set(test_name ${VESK_TEST_PREFIX}${NAME})
    if(T_WRAPPER)
        add_test(NAME ${test_name}
                 COMMAND ${T_WRAPPER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${NAME}>
                         ${T_ARGS})
    else()
        add_test(NAME ${test_name} COMMAND ${NAME} ${T_ARGS})
    endif()
    set_tests_properties(${test_name} PROPERTIES TIMEOUT ${VESK_TEST_TIMEOUT})
    if(CMAKE_CROSSCOMPILING)
        set_tests_properties(${test_name} PROPERTIES
            FIXTURES_REQUIRED vesk_wine_session
            ENVIRONMENT "${VESK_TEST_ENVIRONMENT}")
        if(T_DESKTOP)
            set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK vesk_desktop)
        endif()
    endif()
endfunction()
