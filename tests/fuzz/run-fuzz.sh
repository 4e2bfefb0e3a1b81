#!/bin/sh
# Makes the seed corpus, then fuzzes the reader core for a bounded time.
# Usage: run-fuzz.sh <seed generator> <fuzz target> <work folder> <seconds>
set -eu
seeds=$3/seeds
found=$3/found
rm -rf "$seeds"
mkdir -p "$seeds" "$found" "$3/crashes"
"$1" "$seeds"
exec "$2" -max_total_time="$4" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$3/crashes/" "$found" "$seeds"
