#!/usr/bin/env bash
# Installs what is missing, builds the program, prepares the bundled demo release folder
# (Install.exe, UNRAR.dll, Install.ini, tovra.nfo and a three-volume archive) and starts
# Install.exe in it under Wine. With no display it runs inside Xvfb, saves a screenshot of the
# main window and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win64
cmake -S "$root" -B "$root/build/host" -G Ninja -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$root/build/host" --target rarwriter

release=$root/build/demo-release
rm -rf "$release" && mkdir -p "$release"
cp "$root/build/win64/bin/Install.exe" "$root/build/win64/bin/UNRAR.dll" "$release/"
cp "$root/demo/Install.ini" "$root/demo/tovra.nfo" "$release/"
content=$root/build/demo-content
rm -rf "$content" && cp -r "$root/demo/content" "$content"
head -c 3000000 /dev/urandom >"$content/Data.pak"   # a larger file, split across volumes
"$root/build/host/bin/rarwriter" --format rar5 --naming parts --volume-size 1100000 \
    "$release/tovra-sfc.part1.rar" "$content"
echo "Demo release folder: $release"

export WINEPREFIX=$root/build/wineprefix
if [ -n "${DISPLAY:-}" ]; then
    echo "Starting Install.exe (close it with Quit)"
    cd "$release" && "$root/scripts/in-display.sh" /usr/lib/wine/wine64 Install.exe
else
    shot=$root/build/demo-screenshot.png
    TOVRA_HEADLESS=1 "$root/scripts/in-display.sh" bash -c '
        cd "$1" && /usr/lib/wine/wine64 Install.exe & sleep 4
        xwd -root -silent | convert xwd:- "$2"
        /usr/lib/wine/wineserver64 -k' demo "$release" "$shot"
    echo "No display: ran Install.exe in Xvfb; screenshot of the main window saved to $shot"
fi
