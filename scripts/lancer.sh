#!/usr/bin/env bash
# Builds everything and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-dependances.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec ./build/norvanel-cli "${@:---help}"
