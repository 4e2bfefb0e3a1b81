#!/usr/bin/env bash
# Runs a command inside one X display with one persistent wineserver, so each Wine process
# starts warm. The prefix keeps windows unmanaged, so no window manager is needed. Uses the
# current display when there is one and TOVRA_HEADLESS is not set; otherwise a private Xvfb.
# WINEPREFIX must be set.
set -uo pipefail
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEDEBUG=-all

if [ "${1:-}" = "--inside" ]; then
    shift
    /usr/lib/wine/wineserver64 -p
    /usr/lib/wine/wine64 cmd /c exit 0 >/dev/null 2>&1
    "$@"
    rc=$?
    /usr/lib/wine/wineserver64 -k 2>/dev/null
    /usr/lib/wine/wineserver64 -w 2>/dev/null
    exit $rc
fi

if [ -n "${DISPLAY:-}" ] && [ -z "${TOVRA_HEADLESS:-}" ]; then
    exec "$0" --inside "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"
