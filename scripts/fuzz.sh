#!/usr/bin/env bash
# Builds the fuzzing targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs the catalogue reader for a while: FUZZ_SECONDES (60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-dependances.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
corpus=build-fuzz/corpus
mkdir -p "$corpus"
./build-fuzz/fuzz/creer_graines "$corpus"
./build-fuzz/fuzz/fuzz_lecture_catalogue -max_total_time="${FUZZ_SECONDES:-60}" \
  -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
