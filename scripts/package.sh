#!/bin/bash
# Makes the zip that users download, dist/Vesk-<version>-x86.zip beside the sources: the
# 32-bit x86 Release Vesk.exe and readme.txt, nothing else (cmake/VeskPackage.cmake). The same
# commit gives the same bytes, wherever it is built. Installs what is missing first and builds
# in build/windows, the tree that scripts/test.sh tests the package in.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build

"$root/scripts/setup.sh" "$build"
cmake -S "$root" -B "$build/windows" -G "Unix Makefiles" -Wno-dev -DVESK_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-w64.cmake" \
    -DVESK_TEST_PREFIX=win. -DVESK_WINEPREFIX="$build/wineprefix" >/dev/null
# Made afresh, so that the zip of an earlier version is not taken for this one.
rm -rf "$build/windows/dist"
cmake --build "$build/windows" -j "$(nproc)" --target vesk_package -- --no-print-directory \
    >/dev/null
mkdir -p "$root/dist"
for package in "$build/windows/dist"/*.zip; do
    cp "$package" "$root/dist/"
    echo "$root/dist/$(basename "$package")"
done
