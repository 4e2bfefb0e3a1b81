#!/usr/bin/env bash
# Prints extraction figures for a stored multi-volume set (about 512 MiB in 5 volumes, four
# large files of random data) and for 20,000 small files: the portable core natively, UNRAR.dll
# under Wine, node-unrar-js (the official library as WebAssembly) and unar, each against `cat`
# of the same bytes into new files in the same run. Also the bytes the counting pass reads.
# Not a test: it prints figures and fails only when a tool gives wrong bytes.
#
#   bench/run-bench.sh [--host DIR] [--win64 DIR] [--work DIR] [--runs N]
# Defaults: build/host, build/win64, build/bench, 3 runs (the best is reported).
# WINEPREFIX defaults to build/wineprefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host=$root/build/host win64=$root/build/win64 work=$root/build/bench runs=3
while [ $# -gt 0 ]; do
    case $1 in
        --host) host=$2; shift 2 ;;
        --win64) win64=$2; shift 2 ;;
        --work) work=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        *) echo "usage: $0 [--host DIR] [--win64 DIR] [--work DIR] [--runs N]" >&2; exit 2 ;;
    esac
done
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix} WINEDEBUG=-all
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64
writer=$host/bin/rarwriter core=$host/bin/bench_core_extract
dll_driver=$win64/bin/bench_dll_extract.exe
node_script=$root/tests/readers/unrar-wasm.js
mkdir -p "$work"
work=$(cd "$work" && pwd)

have_dll=0; [ -f "$dll_driver" ] && [ -f "$win64/bin/UNRAR.dll" ] && have_dll=1
have_node=0; [ -d "$root/tests/readers/node_modules/node-unrar-js" ] && have_node=1
have_unar=0; command -v unar >/dev/null && have_unar=1
for tool in "$writer" "$core"; do
    [ -x "$tool" ] || { echo "missing $tool (build the host tree)" >&2; exit 1; }
done

echo "== machine"
echo "cpu: $(nproc) x $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "memory: $(free -m | awk '/Mem:/ {print $2 " MiB, " $7 " MiB available"}')"
echo "work folder: $work on $(df -T "$work" | awk 'NR==2 {print $2 " (" $1 ")"}')"
echo "kernel: $(uname -r); wine: $($wine --version 2>/dev/null || echo none); node: $(node --version 2>/dev/null || echo none)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "page cache: inputs are read once before timing (warm); outputs are not synced inside a run"

to_windows() { echo "Z:${1//\//\\}"; }
now() { date +%s.%N; }

# best_of CMD...: runs the command $runs times into a fresh $dest, prints the best wall time.
best_of() {
    local best="" t0 t1 t
    for _ in $(seq "$runs"); do
        rm -rf "$dest" && mkdir -p "$dest" && sync
        t0=$(now); "$@" >"$work/last.log" 2>&1 || { cat "$work/last.log" >&2; return 1; }; t1=$(now)
        t=$(echo "$t1 - $t0" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    done
    echo "$best"
}

verify() {  # SOURCE DEST: every file of SOURCE has the same bytes in DEST
    diff -r "$1" "$2" >/dev/null || { echo "WRONG OUTPUT in $2" >&2; exit 1; }
}

cat_tree() {  # SOURCE DEST: one cat per file into the same folder tree
    (cd "$1" && find . -type d) | (cd "$2" && xargs mkdir -p)
    (cd "$1" && find . -type f) | while read -r f; do cat "$1/$f" >"$2/$f"; done
}

report() {  # NAME SECONDS BASELINE-SECONDS UNIT-COUNT UNIT
    printf '%-28s %8.3f s  %9.1f %s  ratio to cat %.2f\n' "$1" "$2" \
        "$(echo "$4 / $2" | bc -l)" "$5" "$(echo "$3 / $2" | bc -l)"
}

run_suite() {  # LABEL SOURCE ARCHIVE UNIT-COUNT UNIT
    local label=$1 source=$2 archive=$3 units=$4 unit=$5 t_cat t
    echo "== $label"
    cat "$(dirname "$archive")"/* >/dev/null; (cd "$source" && find . -type f -exec cat {} + >/dev/null)
    dest=$work/out-cat; t_cat=$(best_of cat_tree "$source" "$dest"); verify "$source" "$dest"
    report "cat" "$t_cat" "$t_cat" "$units" "$unit"

    dest=$work/out-core; t=$(best_of "$core" "$archive" "$dest"); verify "$source" "$dest"
    report "core (native)" "$t" "$t_cat" "$units" "$unit"
    grep -E '^count_(bytes_read|rchar|seconds)' "$work/last.log" | sed 's/^/    core counting pass: /'

    if [ $have_dll = 1 ]; then
        $wineserver -p 2>/dev/null || true  # warm, persistent server
        $wine cmd /c exit 0 >/dev/null 2>&1 || true
        dest=$work/out-dll
        t=$(best_of "$wine" "$dll_driver" "$(to_windows "$archive")" "$(to_windows "$dest")")
        verify "$source" "$dest"
        report "UNRAR.dll (Wine)" "$t" "$t_cat" "$units" "$unit"
        grep -E '^(count_seconds|extract_seconds)' "$work/last.log" |
            sed 's/^/    dll: /'
        $wineserver -k || true
    else
        echo "UNRAR.dll (Wine)             skipped: no $dll_driver or UNRAR.dll"
    fi
    if [ $have_node = 1 ]; then
        dest=$work/out-node; t=$(best_of node "$node_script" extract "$archive" "$dest")
        # node-unrar-js makes no folder for an empty directory entry; the inputs have none.
        verify "$source" "$dest"
        report "node-unrar-js" "$t" "$t_cat" "$units" "$unit"
    else
        echo "node-unrar-js                skipped: run scripts/install-deps.sh --with-node"
    fi
    if [ $have_unar = 1 ]; then
        dest=$work/out-unar; t=$(best_of unar -q -f -D -o "$dest" "$archive"); verify "$source" "$dest"
        report "unar" "$t" "$t_cat" "$units" "$unit"
    fi
    rm -rf "$work"/out-*
}

# --- large set ------------------------------------------------------------------------------
large=$work/large
if [ ! -f "$large/.ready" ]; then
    rm -rf "$large" && mkdir -p "$large/src" "$large/set"
    for size in a:160 b:128 c:128 d:96; do
        head -c $((${size#*:} << 20)) /dev/urandom >"$large/src/${size%:*}.bin"
    done
    "$writer" --format rar5 --volume-size $(((512 << 20) / 5 + 1)) "$large/set/large.rar" \
        "$large/src" >/dev/null
    touch "$large/.ready"
fi
total=$(du -cb "$large"/src/* | tail -1 | cut -f1)
echo "large set: $(ls "$large/set" | wc -l) volumes, $total bytes in $(ls "$large/src" | wc -l) files"
run_suite "large files: $((total >> 20)) MiB" "$large/src" "$large/set/large.part1.rar" \
    "$(echo "$total / 1048576" | bc -l)" "MiB/s"

# --- small files ----------------------------------------------------------------------------
small=$work/small
if [ ! -f "$small/.ready" ]; then
    rm -rf "$small" && mkdir -p "$small/set"
    python3 "$root/bench/make-small-tree.py" "$small/src" 20000
    "$writer" --format rar5 "$small/set/small.rar" "$small/src" >/dev/null
    touch "$small/.ready"
fi
count=$(find "$small/src" -type f | wc -l)
run_suite "small files: $count files" "$small/src" "$small/set/small.rar" "$count" "files/s"

echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
