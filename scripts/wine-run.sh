#!/bin/sh
# Runs a Windows program under Wine: this build's prefix, code page 932 (ja_JP locale),
# no debug output, and the display of the running test session if there is one.
# Usage: wine-run.sh program.exe [arguments...]
set -u
: "${VESK_WINEPREFIX:?VESK_WINEPREFIX names the Wine prefix}"
export WINEPREFIX="$VESK_WINEPREFIX"
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
session="$WINEPREFIX.session"
if [ -s "$session/display" ]; then
    DISPLAY=":$(cat "$session/display")"
    export DISPLAY
fi
exec wine "$@"
