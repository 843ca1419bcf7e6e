# nlohmann/json, the one library besides the system's that the program uses: the header-only
# package of the build machine (Debian's nlohmann-json3-dev, installed by scripts/setup.sh).
# Its folder is copied into the build, and only that copy is on the include path, so that
# the MinGW builds never see the rest of the machine's /usr/include.
#
# Defines the interface target vesk_nlohmann_json.

if(TARGET vesk_nlohmann_json)
    return()
endif()

find_path(VESK_NLOHMANN_JSON_ROOT nlohmann/json.hpp
    PATHS /usr/include /usr/local/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    DOC "Folder that holds nlohmann/json.hpp (Debian: nlohmann-json3-dev)")
if(NOT VESK_NLOHMANN_JSON_ROOT)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (scripts/setup.sh)")
endif()

set(vesk_json_include ${CMAKE_BINARY_DIR}/third_party/include)
file(COPY ${VESK_NLOHMANN_JSON_ROOT}/nlohmann DESTINATION ${vesk_json_include})

add_library(vesk_nlohmann_json INTERFACE)
# As a system header: its own warnings are not the program's.
target_include_directories(vesk_nlohmann_json SYSTEM INTERFACE ${vesk_json_include})
