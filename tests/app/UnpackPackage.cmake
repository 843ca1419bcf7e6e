# The users' zip as they get it: exactly Vesk.exe and readme.txt, the build's own bytes,
# unpacked into an empty FOLDER for the test that starts Vesk there (win32/PackageTest.cpp).
# Usage: cmake -DPACKAGE=... -DPROGRAM=... -DREADME=... -DFOLDER=... -P UnpackPackage.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${PACKAGE}"
                OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
if(NOT listing STREQUAL "Vesk.exe\nreadme.txt\n")
    message(FATAL_ERROR "${PACKAGE} holds:\n${listing}")
endif()
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${PACKAGE}"
                WORKING_DIRECTORY "${FOLDER}" COMMAND_ERROR_IS_FATAL ANY)
foreach(file IN ITEMS "${PROGRAM}" "${README}")
    cmake_path(GET file FILENAME name)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${file}" "${FOLDER}/${name}"
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
