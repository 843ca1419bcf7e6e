#!/bin/bash
# Builds Vesk four ways and runs every test in one ctest run:
#   native     the portable core and its tests (Linux)
#   asan       the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   windows    Vesk.exe (32-bit x86, as it ships), the Win32 layer and all tests,
#              cross-compiled and run under Wine
#   windows64  the same for x86-64, compiled only: the code must stay right for both
#   fuzz       the fuzz targets of tests/fuzz (clang, libFuzzer), each run for a few seconds
# No benchmarks are built here (scripts/bench.sh builds and runs them).
# Extra arguments go to ctest (for example -R win. or -V).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
jobs=$(nproc)

"$root/scripts/setup.sh" "$build"

configure_and_build() {
    local name=$1
    shift
    cmake -S "$root" -B "$build/$name" -G "Unix Makefiles" -Wno-dev -DVESK_BENCHMARKS=OFF "$@" \
        >/dev/null
    cmake --build "$build/$name" -j "$jobs" -- --no-print-directory
}

configure_and_build native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESK_TEST_PREFIX=native.
configure_and_build asan -DCMAKE_BUILD_TYPE=Debug -DVESK_SANITIZE=ON -DVESK_TEST_PREFIX=asan.
configure_and_build windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-w64.cmake" \
    -DVESK_TEST_PREFIX=win. -DVESK_WINEPREFIX="$build/wineprefix"
configure_and_build windows64 -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-w64-x86_64.cmake" \
    -DVESK_TEST_PREFIX=win64.

# The fuzz targets, built with clang: a crash they find within their seconds fails the run
# (scripts/fuzz.sh runs them for longer).
configure_and_build fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVESK_FUZZ=ON -DVESK_TEST_PREFIX=fuzz.

# One ctest run over the builds that run, so that one summary tells the whole result.
printf 'subdirs("native" "asan" "windows" "fuzz")\n' >"$build/CTestTestfile.cmake"
cd "$build"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
ctest --output-on-failure -j 2 "$@"
