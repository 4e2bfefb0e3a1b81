#!/usr/bin/env bash
# Creates a clean Wine prefix at $1 (once): the user folders are made real empty folders
# instead of links to the Unix home, and the Unix-root desktop item is removed, so the
# shell namespace holds only what the tests put there. Windows are not handed to the X window
# manager (Managed=N): Wine draws their frames itself, so positions are the program's own and
# closing a window costs no wait for a window manager.
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all
if [ -f "$prefix/.tovra-ready-2" ]; then
    exit 0
fi
echo "Preparing Wine prefix $prefix"
mkdir -p "$prefix"
/usr/lib/wine/wine64 wineboot -u >/dev/null 2>&1 || true
/usr/lib/wine/wineserver64 -w
for d in "$prefix"/drive_c/users/*/; do
    for f in Desktop Documents Downloads Music Pictures Videos; do
        if [ -L "$d$f" ]; then
            rm "$d$f" && mkdir "$d$f"
        fi
    done
done
/usr/lib/wine/wine64 reg delete \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\Namespace\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}' \
    /f >/dev/null 2>&1 || true
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
/usr/lib/wine/wineserver64 -w
touch "$prefix/.tovra-ready-2"
