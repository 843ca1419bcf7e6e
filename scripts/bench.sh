#!/bin/bash
# Runs every benchmark: native ones directly, Windows ones under Wine in the test prefix.
# Run scripts/test.sh once first (it builds both trees). Extra arguments go to each program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
export VESK_WINEPREFIX=$build/wineprefix
for tree in native windows; do
    cmake --build "$build/$tree" -j "$(nproc)" -- --no-print-directory >/dev/null
done
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
