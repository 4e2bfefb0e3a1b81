#!/usr/bin/env bash
# Configures and builds the trees under build/: win64 (tested under Wine), win32 (shipped),
# and host (portable archive code, fuzz target). Names the trees to build, or all three.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(host win64 win32)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
for t in "${trees[@]}"; do
    dir=$root/build/$t
    case $t in
        win64) tc=(-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchain-x86_64.cmake)
               "$root/scripts/wine-prefix.sh" "$WINEPREFIX" ;;
        win32) tc=(-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchain-i686.cmake) ;;
        host)  tc=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
        *) echo "unknown tree $t" >&2; exit 2 ;;
    esac
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$root" -B "$dir" -G Ninja "${tc[@]}" >/dev/null
    fi
    echo "== building $t"
    cmake --build "$dir"
done
