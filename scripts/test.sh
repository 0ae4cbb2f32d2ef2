#!/usr/bin/env bash
# The test command: installs what is missing, builds every configuration and runs every test.
#  - release (GCC, optimised): compiles everything, benchmarks included, and runs the tests;
#  - dev (clang, AddressSanitizer + UndefinedBehaviorSanitizer): runs the tests and each fuzz
#    target for VELD_FUZZ_SECONDS (default 30) seconds.
# The dev run comes last so that its CTest summary closes the output.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

fuzz_seconds=${VELD_FUZZ_SECONDS:-30}

cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release

cmake --preset dev -DVELD_FUZZ_SECONDS="$fuzz_seconds" >/dev/null
cmake --build --preset dev
ctest --preset dev
