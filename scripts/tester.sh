#!/usr/bin/env bash
# Builds and runs every test: the catalogue reader fuzzed for five minutes, the optimised
# build's tests, then the tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-dependances.sh
jobs=$(nproc)

bash scripts/fuzz.sh

cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
