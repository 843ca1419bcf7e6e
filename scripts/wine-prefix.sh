#!/bin/sh
# Creates the Wine prefix that runs Vesk and its tests, if it does not exist yet:
# 64-bit, no Mono or Gecko prompts, no crash dialogs, and the Japanese faces that Vesk's
# texts are drawn with mapped to the IPA fonts.
# Usage: wine-prefix.sh <prefix folder>
set -eu
prefix=$1
[ -f "$prefix/.vesk-ready" ] && exit 0
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot -i >/dev/null 2>&1
# regedit wants its Unicode format: UTF-16 with a byte-order mark and CR LF.
sed 's/$/\r/' "$here/wine-prefix.reg" | iconv -f UTF-8 -t UTF-16 >"$prefix/vesk-setup.reg"
wine regedit /S "$(winepath -w "$prefix/vesk-setup.reg")" >/dev/null 2>&1
wineserver -w
touch "$prefix/.vesk-ready"
