#!/usr/bin/env bash
# Proves the fixture writer's archives real with an independent reader: every good set must be
# listed and extracted to exactly the bytes put in; damaged sets must get the verdict this
# reader is known to give (the readers differ in what they check).
#   check-readers.sh READER RARWRITER WORKDIR
# READER: bsdtar (libarchive), unar (The Unarchiver), wasm (the official library in
# node-unrar-js; needs tests/readers/node_modules). Exit 0 pass, 1 fail, 77 reader missing.
set -uo pipefail
reader=$1 work=$3
writer=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)

case $reader in
    bsdtar) command -v bsdtar >/dev/null || exit 77 ;;
    unar) command -v unar >/dev/null && command -v lsar >/dev/null || exit 77 ;;
    wasm) command -v node >/dev/null && [ -d "$here/node_modules/node-unrar-js" ] || {
              echo "node-unrar-js not installed (scripts/install-deps.sh --with-node)"; exit 77; } ;;
    *) echo "unknown reader $reader" >&2; exit 2 ;;
esac

rm -rf "$work" && mkdir -p "$work" || exit 1
cd "$work" || exit 1
failures=0
fail() { echo "FAIL [$reader] $*"; failures=$((failures + 1)); }

# --- input trees -------------------------------------------------------------------------
make_tree() {  # mixed: a file split over volumes, small binaries, empty file, directories
    mkdir -p src/sub/deep src/emptydir
    head -c 70000 /dev/urandom >src/big.bin
    head -c 1000 /dev/urandom >src/sub/small.bin
    head -c 4096 /dev/zero >src/sub/zeros.bin
    printf 'hello\r\n' >src/sub/deep/h.txt
    : >src/sub/empty.txt
    mkdir -p many                 # twelve whole files, one per volume: part09 -> part10, r09 -> r10
    for i in $(seq -w 1 12); do head -c 1000 /dev/urandom >"many/f$i.bin"; done
}
make_tree

# Writes set SETDIR; the writer prints the volume paths in order, kept for the readers.
write_set() {  # SETDIR SOURCE WRITER-ARGS...
    local set=$1 source=$2; shift 2
    mkdir -p "$set"
    "$writer" "$@" "$set/a.rar" "$source" >"$set.volumes"
}

# --- reader adapters: list (normalised: sorted, no trailing /) and extract -----------------
# The first volume is given; bsdtar reads a set only as one stream, so it gets them all.
volumes_of() { while read -r v; do [ -e "$v" ] && echo "$v"; done <"$1.volumes"; }
first_of() { head -1 "$1.volumes"; }

list_entries() {  # SETDIR -> names on stdout; status of the reader
    local set=$1 first status raw=$1.list
    first=$(first_of "$set")
    case $reader in
        bsdtar) cat $(volumes_of "$set") | bsdtar -tf - >"$raw" ;;
        unar) lsar "$first" >"$raw" ;;
        wasm) node "$here/unrar-wasm.js" list "$first" >"$raw" ;;
    esac
    status=$?
    case $reader in
        unar) tail -n +2 "$raw" | grep -v '^Archive parsing failed' ;;  # title, error lines
        wasm) cut -d' ' -f3- "$raw" ;;
        *) cat "$raw" ;;
    esac | sed 's|/$||' | sort
    return $status
}

extract_set() {  # SETDIR DEST
    local set=$1 dest=$2 first; first=$(first_of "$set")
    mkdir -p "$dest"
    case $reader in
        bsdtar) cat $(volumes_of "$set") | bsdtar -xf - -C "$dest" ;;
        unar) unar -q -f -D -o "$dest" "$first" ;;
        wasm) node "$here/unrar-wasm.js" extract "$first" "$dest" ;;
    esac >"$dest.log" 2>&1
}

tree_names() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | sort); }
file_names() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }

# Good set: the listing holds every entry and extraction gives the same bytes. The official
# library's file extractor makes no folder for a directory entry that holds no file, so for it
# files are compared and directories only listed.
check_good() {  # NAME SOURCE WRITER-ARGS...
    local name=$1 source=$2; shift 2
    write_set "sets/$name" "$source" "$@" || { fail "$name: writer failed"; return; }
    local listed
    listed=$(list_entries "sets/$name") || fail "$name: listing failed"
    [ "$listed" = "$(tree_names "$source")" ] || fail "$name: listing differs:"$'\n'"$listed"
    extract_set "sets/$name" "out/$name" || { fail "$name: extraction failed: $(cat out/$name.log)"; return; }
    if [ "$reader" = wasm ]; then
        [ "$(file_names "out/$name")" = "$(file_names "$source")" ] || fail "$name: files differ"
        while read -r f; do
            cmp -s "$source/$f" "out/$name/$f" || fail "$name: $f differs"
        done < <(file_names "$source")
    else
        diff -r "$source" "out/$name" >/dev/null || fail "$name: extracted tree differs"
    fi
}

good_sets() {
    check_good rar4-single src --format rar4
    check_good rar5-single src --format rar5
    check_good rar4-old-split src --format rar4 --naming old --volume-size 30000
    check_good rar4-parts-split src --format rar4 --volume-size 30000
    check_good rar4-parts01-split src --format rar4 --volume-size 30000 --part-digits 2
    check_good rar5-parts-split src --format rar5 --volume-size 30000
    check_good rar5-parts01-split src --format rar5 --volume-size 30000 --part-digits 2
    check_good rar5-twelve-volumes many --format rar5 --volume-size 1000 --part-digits 2
    if [ "$reader" != bsdtar ]; then  # libarchive stops RAR 4 at the first end block (below)
        check_good rar4-old-twelve-volumes many --format rar4 --naming old --volume-size 1000
        check_good rar4-parts-twelve-volumes many --format rar4 --volume-size 1000 --part-digits 2
    fi
}

# Damaged set: REJECT = extraction fails; ACCEPT = extraction reports success.
check_damaged() {  # NAME EXPECTED WRITER-ARGS...
    local name=$1 expected=$2; shift 2
    write_set "sets/$name" src --volume-size 30000 "$@" || { fail "$name: writer failed"; return; }
    local got=ACCEPT
    extract_set "sets/$name" "out/$name" || got=REJECT
    [ "$got" = "$expected" ] || fail "$name: expected $expected, got $got: $(head -c 300 out/$name.log)"
}

# The verdicts differ per reader: libarchive checks header CRCs but not the data CRC of stored
# files and ignores the encryption marks; The Unarchiver checks data and part CRCs but not
# header CRCs; the official library checks data and header CRCs, but a wrong part CRC alone
# goes unreported through its interface.
damaged_sets() {
    local fmt verdicts fault
    for fmt in rar4 rar5; do
        while read -r fault args bsd una wasm; do
            case $reader in bsdtar) verdicts=$bsd ;; unar) verdicts=$una ;; wasm) verdicts=$wasm ;; esac
            [ "$verdicts" = "-" ] && continue
            # shellcheck disable=SC2086
            check_damaged "$fmt-$fault" "$verdicts" --format "$fmt" ${args//,/ }
        done <<'TABLE'
data-crc          --flip-data,sub/small.bin        ACCEPT REJECT REJECT
split-data-crc    --flip-data,big.bin              ACCEPT REJECT REJECT
header-crc        --flip-header,sub/small.bin      REJECT ACCEPT REJECT
part-crc          --wrong-part-crc,big.bin         ACCEPT REJECT ACCEPT
truncated-volume  --truncate-volume,1              REJECT REJECT REJECT
compressed        --compressed                     REJECT REJECT REJECT
encrypted         --encrypted                      ACCEPT REJECT REJECT
TABLE
    done
    # A missing middle volume: the library and The Unarchiver stop; libarchive reads the
    # stream it is given and does not notice in RAR 5 (no data CRC check).
    case $reader in
        bsdtar) check_damaged rar4-missing-volume REJECT --format rar4 --delete-volume 1
                check_damaged rar5-missing-volume ACCEPT --format rar5 --delete-volume 1 ;;
        *) check_damaged rar4-missing-volume REJECT --format rar4 --delete-volume 1
           check_damaged rar5-missing-volume REJECT --format rar5 --delete-volume 1 ;;
    esac
}

# Volume chaining between whole files: what each reader needs to go on to the next volume.
# Twelve whole files, one per volume: with and without the end blocks' "next volume" flag, and
# named part1 ... part12, whose width grows at part10 (the official rule counts up with carry).
chaining() {
    local fmt variant args count expected name
    for fmt in rar4 rar5; do
        for variant in flag noflag growing; do
            case $variant in
                flag) args="--part-digits 2" ;;
                noflag) args="--part-digits 2 --omit-next-volume-flag" ;;
                growing) args="--part-digits 1" ;;
            esac
            name=$fmt-chain-$variant
            # shellcheck disable=SC2086
            write_set "sets/$name" many --format "$fmt" --volume-size 1000 $args ||
                { fail "$name: writer failed"; continue; }
            count=$(list_entries "sets/$name" 2>/dev/null | wc -l)
            case "$reader/$fmt/$variant" in
                bsdtar/rar4/*) expected=1 ;;        # stops at the first end block
                bsdtar/rar5/*) expected=12 ;;       # reads on through the stream, flag or not
                unar/*/growing) expected=9 ;;       # expects a fixed width: part1 ... part9
                unar/rar4/*) expected=12 ;;         # finds volumes by name, flag or not
                unar/rar5/flag) expected=12 ;;
                unar/rar5/noflag) expected=1 ;;     # follows the end flag in RAR 5
                wasm/*/noflag) expected=1 ;;        # follows the end flag
                wasm/*) expected=12 ;;
            esac
            [ "$count" = "$expected" ] || fail "$name: listed $count of 12 entries, expected $expected"
        done
    done
}

good_sets
damaged_sets
chaining

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed for $reader"
    exit 1
fi
echo "all checks passed for $reader"
