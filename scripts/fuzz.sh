#!/usr/bin/env bash
# Runs one fuzz target (or all) for longer than the test command does.
#   scripts/fuzz.sh [TARGET] [SECONDS]     e.g. scripts/fuzz.sh frames 600
# New inputs are kept in build/dev/tests/fuzz/corpus_TARGET; the seeds in tests/fuzz/corpus/ are
# only read.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-all}
seconds=${2:-300}
bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
for program in build/dev/tests/fuzz/fuzz_*; do
    name=${program##*/fuzz_}
    [[ "$target" == all || "$target" == "$name" ]] || continue
    echo "== $name for ${seconds}s"
    mkdir -p "build/dev/tests/fuzz/corpus_$name"
    "$program" "build/dev/tests/fuzz/corpus_$name" "tests/fuzz/corpus/$name" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
done
