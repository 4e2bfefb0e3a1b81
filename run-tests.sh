#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs the whole test suite:
# host tests natively, the 32-bit build's checks, then the 64-bit program under Wine in Xvfb.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh" --with-node || exit 1
"$root/scripts/build.sh" host win64 win32 || { echo "build failed"; exit 1; }
export WINEPREFIX=$root/build/wineprefix TOVRA_HEADLESS=1
status=0
summary=()
run_ctest() {
    local name=$1; shift
    echo "== tests: $name"
    local log=$root/build/ctest-$name.log
    "$@" 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    [ "$rc" -eq 0 ] || status=1
    summary+=("$name: $(grep -E 'tests passed|No tests were found' "$log" | tail -1)")
}
run_ctest host ctest --test-dir "$root/build/host" --output-on-failure -j2
run_ctest win32 ctest --test-dir "$root/build/win32" --output-on-failure
run_ctest win64 "$root/scripts/in-display.sh" ctest --test-dir "$root/build/win64" --output-on-failure
echo "== summary"
printf '%s\n' "${summary[@]}"
passed=0 failed=0
for f in "$root"/build/ctest-*.log; do
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$f" | tail -1) || continue
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad)); failed=$((failed + bad))
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
