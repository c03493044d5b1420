#!/usr/bin/env bash
# Builds the fuzzing targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer),
# replays the inputs that once failed (fuzz/regressions), then fuzzes the catalogue
# reader and the kept index's reader for FUZZ_SECONDES in all (300 by default; a fifth
# for the index) on two processes. A new failing input is left in build-fuzz/ (crash-*,
# oom-*, timeout-*): add it to fuzz/regressions (fuzz/regressions-index for the index).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-dependances.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

cible=./build-fuzz/fuzz/fuzz_lecture_catalogue
corpus=build-fuzz/corpus
corpusIndex=build-fuzz/corpus-index
mkdir -p "$corpus" "$corpusIndex"
./build-fuzz/fuzz/creer_graines "$corpus" "$corpusIndex"
secondes=${FUZZ_SECONDES:-300}
secondesIndex=$((secondes / 5))
options=(-rss_limit_mb=2048 -malloc_limit_mb=256 -timeout=5 -dict=fuzz/catalogue.dict
         -artifact_prefix=build-fuzz/)

echo "Rejeu des entrées qui ont déjà échoué :"
"$cible" "${options[@]}" -runs=0 fuzz/regressions "$corpus" 2>&1 | tail -n 2

echo "Fuzzing pendant $((secondes - secondesIndex)) s :"
"$cible" "${options[@]}" -fork=2 -ignore_crashes=0 -max_total_time="$((secondes - secondesIndex))" \
  -print_final_stats=1 "$corpus" fuzz/regressions 2>&1 | tail -n 8

cibleIndex=./build-fuzz/fuzz/fuzz_lecture_index
optionsIndex=(-rss_limit_mb=2048 -malloc_limit_mb=256 -timeout=5 -artifact_prefix=build-fuzz/)
echo "Rejeu des index qui ont déjà échoué, puis fuzzing des index pendant $secondesIndex s :"
"$cibleIndex" "${optionsIndex[@]}" -runs=0 fuzz/regressions-index "$corpusIndex" 2>&1 | tail -n 2
"$cibleIndex" "${optionsIndex[@]}" -fork=2 -ignore_crashes=0 -max_total_time="$secondesIndex" \
  -print_final_stats=1 "$corpusIndex" fuzz/regressions-index 2>&1 | tail -n 8
