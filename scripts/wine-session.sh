#!/bin/sh
# Starts or stops the shared test session of one Wine prefix: an Xvfb display of its own
# and a persistent wineserver, so that each Windows test program starts in about a second.
# Usage: wine-session.sh start|stop   (VESK_WINEPREFIX names the prefix)
set -eu
: "${VESK_WINEPREFIX:?VESK_WINEPREFIX names the Wine prefix}"
export WINEPREFIX="$VESK_WINEPREFIX" WINEDEBUG=-all
session="$WINEPREFIX.session"
here=$(cd "$(dirname "$0")" && pwd)

stop() {
    wineserver -k 2>/dev/null || true
    if [ -s "$session/xvfb.pid" ]; then
        kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true
    fi
    rm -rf "$session"
}

case "${1:-}" in
start)
    stop
    "$here/wine-prefix.sh" "$WINEPREFIX"
    mkdir -p "$session"
    # -displayfd picks a free display number and writes it once the server is ready.
    # Background processes must not hold ctest's output pipes open.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session/display.tmp" \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$session/xvfb.pid"
    i=0
    while [ ! -s "$session/display.tmp" ]; do
        i=$((i + 1))
        [ $i -lt 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
        sleep 0.1
    done
    tr -d '\n' <"$session/display.tmp" >"$session/display"
    rm -f "$session/display.tmp"
    wineserver -p </dev/null >/dev/null 2>&1
    # Bring up the prefix's services once, so that no test pays for them.
    "$here/wine-run.sh" wineboot -u </dev/null >/dev/null 2>&1 || true
    echo "Wine session: prefix $WINEPREFIX, display :$(cat "$session/display")"
    ;;
stop)
    stop
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
