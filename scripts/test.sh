#!/bin/bash
# Builds Vesk three ways and runs every test in one ctest run:
#   native   the portable core and its tests (Linux)
#   asan     the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   windows  Vesk.exe, the Win32 layer and all tests, cross-compiled and run under Wine
# Extra arguments go to ctest (for example -R win. or -V).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
jobs=$(nproc)

"$root/scripts/setup.sh" "$build"

configure_and_build() {
    local name=$1
    shift
    cmake -S "$root" -B "$build/$name" -G "Unix Makefiles" -Wno-dev "$@" >/dev/null
    cmake --build "$build/$name" -j "$jobs" -- --no-print-directory
}

configure_and_build native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESK_TEST_PREFIX=native.
configure_and_build asan -DCMAKE_BUILD_TYPE=Debug -DVESK_SANITIZE=ON -DVESK_BENCHMARKS=OFF \
    -DVESK_TEST_PREFIX=asan.
configure_and_build windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-w64.cmake" \
    -DVESK_TEST_PREFIX=win. -DVESK_WINEPREFIX="$build/wineprefix" \
    -DVESK_DEPS_DIR="$build/deps"

# One ctest run over the three builds, so that one summary tells the whole result.
printf 'subdirs("native" "asan" "windows")\n' >"$build/CTestTestfile.cmake"
cd "$build"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
ctest --output-on-failure -j 2 "$@"
