#!/usr/bin/env bash
# The include check must fail, naming file and line, when a folder includes one it may
# not: a header of model/ including the window program, and a header of model/
# including an operation that only its sources may call.
set -euo pipefail
depot="$1"
arbre=$(mktemp -d)
trap 'rm -rf "$arbre"' EXIT
mkdir -p "$arbre/model" "$arbre/scripts"
cp "$depot/README.md" "$arbre/"
printf '#pragma once\n#include "model/CDoc.h"\n#include "shell/CApp.h"\n' > "$arbre/model/A.h"
printf '#pragma once\n#include "capture/MiseAJour.h"\n' > "$arbre/model/B.h"
printf '#include "capture/MiseAJour.h"\n' > "$arbre/model/B.cpp"
if sortie=$(bash "$depot/scripts/verifier-inclusions.sh" "$arbre"); then
    echo "les inclusions interdites sont passées"; exit 1
fi
attendu=$'model/A.h:3: inclusion interdite de « shell/CApp.h » (model/ n\'inclut pas shell/)\nmodel/B.h:2: inclusion interdite de « capture/MiseAJour.h » (model/ n\'inclut pas capture/)'
if [[ "$(sort <<<"$sortie")" != "$attendu" ]]; then
    printf 'attendu :\n%s\nobtenu :\n%s\n' "$attendu" "$sortie"; exit 1
fi
