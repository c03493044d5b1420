#!/usr/bin/env bash
# Builds everything and starts the window program, norvanel. Arguments go to it
# (catalogue files to open). Without a display it only builds and says how to start.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installer-dependances.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Norvanel est construit : ./build/norvanel"
  echo "Aucun écran ici (ni DISPLAY ni WAYLAND_DISPLAY) : lancez-le depuis une session graphique."
  echo "La commande en ligne, elle, marche partout : ./build/norvanel-cli --help"
  exit 0
fi
exec ./build/norvanel "$@"
