#!/bin/bash
# Makes a Debian machine ready to build and test Vesk: packages (the 32-bit x86 MinGW-w64
# compiler and Wine's 32-bit support among them, since Vesk.exe is a 32-bit program; the
# x86-64 compiler for the compile-only check of the 64-bit build; zip for the package), the
# ja_JP.UTF-8 locale (Wine's ANSI code page 932 comes from it) and the Wine prefix under the
# build folder.
# With --benchmarks also what the benchmarks need: Google Benchmark natively, and its source
# for the Windows build. Quick when everything is already there.
# Usage: setup.sh [--benchmarks] [build folder]   (default: build/ beside the sources)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
benchmarks=0
if [ "${1:-}" = "--benchmarks" ]; then
    benchmarks=1
    shift
fi
build=${1:-$root/build}

packages=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 wine32:i386
          xvfb xdotool locales googletest fonts-ipafont-gothic fonts-ipafont-mincho zip)
if [ $benchmarks -eq 1 ]; then
    packages+=(libbenchmark-dev curl ca-certificates)
fi
# The fuzz targets (tests/fuzz): clang with its fuzzer and sanitizer runtimes.
packages+=(clang libclang-rt-14-dev)
# The JSON reader of the online lyrics (header only, copied into each build), and Python for
# the fake lyrics service that the Windows tests ask.
packages+=(nlohmann-json3-dev python3)

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    # wine32:i386 comes from the i386 side of the archive.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        sudo_if_needed dpkg --add-architecture i386
    fi
    sudo_if_needed apt-get update
    # With their recommended packages: Wine's X11 driver loads the X extension libraries
    # (XRender and the like) only if they are there.
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "Generating the ja_JP.UTF-8 locale"
    sudo_if_needed localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# Google Benchmark for the Windows build: the same release as Debian's libbenchmark-dev,
# built from source with the cross compiler.
deps=$build/deps
bench_version=1.7.1
bench_sha256=6430e4092653380d9dc4ccb45a1e2dc9259d581f4866dc0759713126056bc1d7
if [ $benchmarks -eq 1 ] && [ ! -f "$deps/benchmark-$bench_version/CMakeLists.txt" ]; then
    mkdir -p "$deps"
    tarball=$deps/benchmark_$bench_version.orig.tar.gz
    # Plain HTTP, as apt fetches from the same mirror: the checksum below vouches for it.
    curl -sSfL -o "$tarball" \
        "http://deb.debian.org/debian/pool/main/b/benchmark/benchmark_$bench_version.orig.tar.gz"
    echo "$bench_sha256  $tarball" | sha256sum -c --quiet
    tar -xzf "$tarball" -C "$deps"
fi

"$root/scripts/wine-prefix.sh" "$build/wineprefix"
