# Cross-compiles Vesk for Windows with MinGW-w64 (POSIX threads, so that std::thread works).
#
# Vesk ships as a 32-bit x86 program: the Windows Media Player caption comes from an
# automation server that exists only as a 32-bit in-process DLL, which a 64-bit process
# cannot load, and installs under "Program Files" keep their files through the file
# virtualization that only 32-bit programs get. toolchain-mingw-w64-x86_64.cmake includes
# this file to build the same tree for x86-64, a compile-only check that the code stays
# right for both.
if(NOT DEFINED VESK_MINGW_TARGET)
    set(VESK_MINGW_TARGET i686-w64-mingw32)
    set(VESK_MINGW_PROCESSOR i686)
endif()

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VESK_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${VESK_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VESK_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${VESK_MINGW_TARGET}-windres)
# Resource scripts are UTF-8; windres converts their strings.
set(CMAKE_RC_FLAGS "-c 65001" CACHE STRING "" FORCE)

set(CMAKE_FIND_ROOT_PATH /usr/${VESK_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
