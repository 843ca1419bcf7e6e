#!/bin/bash
# Builds and runs every benchmark: native ones directly, Windows ones (the 32-bit x86 build,
# as Vesk ships) under Wine in the test prefix. It turns the benchmarks on in the native and
# windows trees that scripts/test.sh builds (test.sh turns them off again).
# Extra arguments go to each program.
#   bench.sh --soak [changes]   only the long run of Vesk under Wine (bench/app/SoakBench.cpp;
#                               about 40 minutes for the default 20,000 caption changes)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
jobs=$(nproc)
"$root/scripts/setup.sh" --benchmarks "$build"

configure_and_build() {
    local name=$1
    shift
    cmake -S "$root" -B "$build/$name" -G "Unix Makefiles" -Wno-dev -DVESK_BENCHMARKS=ON "$@" \
        >/dev/null
    cmake --build "$build/$name" -j "$jobs" -- --no-print-directory >/dev/null
}

windows=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-w64.cmake"
         -DVESK_TEST_PREFIX=win. -DVESK_WINEPREFIX="$build/wineprefix"
         -DVESK_DEPS_DIR="$build/deps")
export VESK_WINEPREFIX=$build/wineprefix

# The soak run alone: only its program and the two it starts are built.
if [ "${1:-}" = "--soak" ]; then
    cmake -S "$root" -B "$build/windows" -G "Unix Makefiles" -Wno-dev -DVESK_BENCHMARKS=ON \
        "${windows[@]}" >/dev/null
    cmake --build "$build/windows" -j "$jobs" --target app_soak -- --no-print-directory \
        >/dev/null
    "$root/scripts/wine-session.sh" start
    trap '"$root/scripts/wine-session.sh" stop' EXIT
    status=0
    nice -n 10 "$root/scripts/wine-run.sh" "$build/windows/bench/app/app_soak.exe" ${2:+"$2"} ||
        status=$?
    exit $status
fi

configure_and_build native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESK_TEST_PREFIX=native.
configure_and_build windows "${windows[@]}"

"$root/scripts/wine-session.sh" start
trap '"$root/scripts/wine-session.sh" stop' EXIT
for program in $(find "$build/native/bench" -type f -executable -name '*_bench' | sort); do
    echo "== native $(basename "$program")"
    "$program" "$@"
done
for program in $(find "$build/windows/bench" -type f -name '*_bench.exe' | sort); do
    echo "== windows $(basename "$program")"
    "$root/scripts/wine-run.sh" "$program" "$@"
done
