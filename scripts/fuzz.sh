#!/usr/bin/env bash
# Builds the fuzzing target with clang (AddressSanitizer, UndefinedBehaviorSanitizer),
# replays the inputs that once failed (fuzz/regressions), then fuzzes the catalogue
# reader for FUZZ_SECONDES (300 by default) on two processes. A new failing input is
# left in build-fuzz/ (crash-*, oom-*, timeout-*): add it to fuzz/regressions.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-dependances.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

cible=./build-fuzz/fuzz/fuzz_lecture_catalogue
corpus=build-fuzz/corpus
mkdir -p "$corpus"
./build-fuzz/fuzz/creer_graines "$corpus"
options=(-rss_limit_mb=2048 -malloc_limit_mb=256 -timeout=5 -dict=fuzz/catalogue.dict
         -artifact_prefix=build-fuzz/)

echo "Rejeu des entrées qui ont déjà échoué :"
"$cible" "${options[@]}" -runs=0 fuzz/regressions "$corpus" 2>&1 | tail -n 2

echo "Fuzzing pendant ${FUZZ_SECONDES:-300} s :"
"$cible" "${options[@]}" -fork=2 -ignore_crashes=0 -max_total_time="${FUZZ_SECONDES:-300}" \
  -print_final_stats=1 "$corpus" fuzz/regressions 2>&1 | tail -n 8
