#!/bin/sh
# Creates the Wine prefix that runs Vesk and its tests, if it does not exist yet: no Mono or
# Gecko prompts, no crash dialogs, and the Japanese faces that Vesk's texts are drawn with
# mapped to the IPA fonts.
#
# The prefix is 64-bit and runs the 32-bit Vesk.exe and its tests through WoW64, as the
# 64-bit Windows that Vesk mostly meets does: a 32-bit process sees the WOW6432Node view of
# the registry, and talks to a 64-bit shell (task bar, notification area). Debian 12's Wine 8
# runs such a prefix with wine64 and wine32:i386 both installed. A prefix made while wine32
# was missing has no 32-bit system ("could not load kernel32.dll"); its marker is the old
# one, so it is made again.
# Usage: wine-prefix.sh <prefix folder>
set -eu
prefix=$1
marker=$prefix/.vesk-ready-wow64
[ -f "$marker" ] && exit 0
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -f "$prefix/system.reg" ]; then
    echo "Making the Wine prefix $prefix again: it was made without 32-bit support"
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
fi
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1
# regedit wants its Unicode format: UTF-16 with a byte-order mark and CR LF.
sed 's/$/\r/' "$here/wine-prefix.reg" | iconv -f UTF-8 -t UTF-16 >"$prefix/vesk-setup.reg"
wine regedit /S "$(winepath -w "$prefix/vesk-setup.reg")" >/dev/null 2>&1
wineserver -w
# A 32-bit program must start: a prefix that cannot run one is no use to the tests.
if ! wine 'C:\windows\syswow64\cmd.exe' /c exit 0 >/dev/null 2>&1; then
    echo "The Wine prefix $prefix cannot run 32-bit programs: is wine32:i386 installed?" >&2
    exit 1
fi
wineserver -w
touch "$marker"
