#!/bin/bash
# Runs Vesk under Wine with a demo player and sample lyrics: installs what is missing,
# builds Vesk.exe, lays out a program folder in build/demo (Vesk.exe, readme.txt and, where
# none is there yet, a lyrics list with sample lyrics), starts a stand-in player whose song
# changes every few seconds, and starts Vesk. Stop it with Ctrl+C.
#
# With no display (DISPLAY unset) it runs on a virtual display and writes a screenshot of
# the screen to build/demo/screenshot.png once the first songs have been shown.
# Options: --seconds N   stop after N seconds (default: run until Ctrl+C)
#          --interval N  seconds between songs (default 6)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
demo=$build/demo
seconds=0
interval=6
while [ $# -gt 0 ]; do
    case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --interval) interval=$2; shift 2 ;;
    *) echo "usage: $0 [--seconds N] [--interval N]" >&2; exit 2 ;;
    esac
done

"$root/scripts/setup.sh" "$build"
cmake -S "$root" -B "$build/windows" -G "Unix Makefiles" -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-w64.cmake" -DVESK_TEST_PREFIX=win. \
    -DVESK_WINEPREFIX="$build/wineprefix" -DVESK_BENCHMARKS=OFF >/dev/null
cmake --build "$build/windows" -j "$(nproc)" \
    --target Vesk vesk_readme fake_player screenshot close_window \
    -- --no-print-directory >/dev/null

export VESK_WINEPREFIX=$build/wineprefix
export WINEPREFIX=$VESK_WINEPREFIX WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The program folder: the program is always the fresh build; the user's list, lyrics and
# settings there are never overwritten.
mkdir -p "$demo/lyrics"
cp "$build/windows/src/app/Vesk.exe" "$build/windows/src/app/readme.txt" "$demo/"
to_sjis() { sed 's/\r*$/\r/' "$1" | iconv -f UTF-8 -t CP932; }
songs=()
while IFS='|' read -r caption file; do
    case "$caption" in '#'* | '') continue ;; esac
    songs+=("$caption")
    [ -n "$file" ] || continue
    [ -f "$demo/lyrics/$file" ] || to_sjis "$root/scripts/demo/$file" >"$demo/lyrics/$file"
done <"$root/scripts/demo/songs.txt"
[ -f "$demo/Vesk.ini" ] || to_sjis "$root/scripts/demo/Vesk.ini" >"$demo/Vesk.ini"
if [ ! -f "$demo/Vesk.csv" ]; then
    while IFS='|' read -r caption file; do
        case "$caption" in '#'* | '') continue ;; esac
        [ -n "$file" ] || continue
        title=${caption#\[再生中\] }
        title=${title%% - *}
        printf '"%s","%s",0,0\n' "$title" "$(winepath -w "$demo/lyrics/$file" 2>/dev/null ||
            echo "Z:${demo//\//\\}\\lyrics\\$file")"
    done <"$root/scripts/demo/songs.txt" | to_sjis /dev/stdin >"$demo/Vesk.csv"
fi

pids=()
cleanup() {
    # Vesk ends as its own "終了" does, saving its list and settings.
    wine "$build/windows/tests/tools/close_window.exe" TfrmMain >/dev/null 2>&1 || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 0' INT TERM

screenshot=
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$demo/.display" </dev/null \
        >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$demo/.display" ] && break; sleep 0.1; done
    export DISPLAY=":$(tr -d '\n' <"$demo/.display")"
    screenshot=$demo/screenshot.png
fi

commands=$demo/.player-commands
: >"$commands"
rm -f "$commands.done"
(cd "$demo" && exec wine "$build/windows/tests/tools/fake_player.exe" Lilith "${songs[0]}" \
    "$(winepath -w "$commands")") >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 300); do [ -s "$commands.done" ] && break; sleep 0.1; done
(cd "$demo" && exec wine "$demo/Vesk.exe") >/dev/null 2>&1 &
vesk=$!
pids+=($vesk)
echo "Vesk runs from $demo (stop with Ctrl+C)."

started=$SECONDS
song=0
while kill -0 "$vesk" 2>/dev/null; do
    sleep "$interval"
    if [ -n "$screenshot" ] && [ $((SECONDS - started)) -ge $((interval * 2)) ]; then
        wine "$build/windows/tests/tools/screenshot.exe" "$(winepath -w "$screenshot")" \
            >/dev/null 2>&1 && echo "Screenshot: $screenshot"
        screenshot=
    fi
    if [ "$seconds" -gt 0 ] && [ $((SECONDS - started)) -ge "$seconds" ]; then
        break
    fi
    song=$(((song + 1) % ${#songs[@]}))
    echo "caption ${songs[$song]}" >>"$commands"
    echo "Now playing: ${songs[$song]}"
done
