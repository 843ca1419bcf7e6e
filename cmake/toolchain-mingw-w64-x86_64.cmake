# The same Windows build for x86-64: compiled by the tests so that nothing 32-bit-only creeps
# in, never shipped (see toolchain-mingw-w64.cmake).
set(VESK_MINGW_TARGET x86_64-w64-mingw32)
set(VESK_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-w64.cmake)
