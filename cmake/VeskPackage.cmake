# Writes the zip that users download: Vesk.exe and readme.txt, in this order, and nothing
# else. The same two files give the same bytes whenever and wherever the zip is made: the
# files go in with a fixed time and mode, without the extra fields that would carry times and
# owners (-X) and without folder entries (-D); the DOS times in a zip are local times, hence
# TZ=UTC.
# Usage: cmake -DPROGRAM=... -DREADME=... -DOUTPUT=... -DZIP=... -DTOUCH=... -P VeskPackage.cmake
cmake_minimum_required(VERSION 3.25)
# 1980-01-01 00:00:00 UTC, the earliest time a zip can hold.
set(file_time @315532800)
set(staging "${OUTPUT}.files")
file(REMOVE_RECURSE "${staging}" "${OUTPUT}")
file(MAKE_DIRECTORY "${staging}")
file(COPY_FILE "${PROGRAM}" "${staging}/Vesk.exe")
file(COPY_FILE "${README}" "${staging}/readme.txt")
file(CHMOD "${staging}/Vesk.exe" "${staging}/readme.txt"
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(files Vesk.exe readme.txt)
execute_process(
    COMMAND "${TOUCH}" -d "${file_time}" ${files}
    COMMAND_ERROR_IS_FATAL ANY
    WORKING_DIRECTORY "${staging}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC "${ZIP}" -q -X -D -9 "${OUTPUT}" ${files}
    COMMAND_ERROR_IS_FATAL ANY
    WORKING_DIRECTORY "${staging}")
file(REMOVE_RECURSE "${staging}")
