# Writes a UTF-8 text file as the program ships its texts: Shift_JIS (code page 932) with
# CR LF line ends, with every "@VERSION@" replaced by VERSION when it is given.
# Usage: cmake -DINPUT=... -DOUTPUT=... -DICONV=... [-DVERSION=...] -P ShiftJisText.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${INPUT}" text)
if(DEFINED VERSION)
    string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}.utf8" "${text}")
execute_process(
    COMMAND "${ICONV}" -f UTF-8 -t CP932 "${OUTPUT}.utf8"
    OUTPUT_FILE "${OUTPUT}"
    RESULT_VARIABLE result)
file(REMOVE "${OUTPUT}.utf8")
if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "iconv could not convert ${INPUT} to code page 932")
endif()
