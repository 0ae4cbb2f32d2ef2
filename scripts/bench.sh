#!/usr/bin/env bash
# Builds the release configuration and runs every benchmark program (bench/*.cpp).
# Extra arguments go to each program, e.g. --benchmark_filter=Cut.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
for program in build/release/bench/bench_*; do
    echo "== ${program##*/}"
    "$program" "$@"
done
