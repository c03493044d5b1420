#!/usr/bin/env bash
# The include check must fail, naming file and line, when a folder includes one it may
# not: a header of model/ including the window program, a header and a source of model/
# including an operation above it, a core test including a window (in quotes or
# in angle brackets) or another test folder's helper. A folder of sources that the rule
# does not name is reported.
set -euo pipefail
depot="$1"
arbre=$(mktemp -d)
trap 'rm -rf "$arbre"' EXIT
mkdir -p "$arbre/model" "$arbre/scripts"
cp "$depot/README.md" "$arbre/"
printf '#pragma once\n#include "model/CDoc.h"\n#include "shell/CApp.h"\n' > "$arbre/model/A.h"
printf '#pragma once\n#include "capture/MiseAJour.h"\n' > "$arbre/model/B.h"
printf '#include "capture/MiseAJour.h"\n' > "$arbre/model/B.cpp"
mkdir -p "$arbre/tests/core" "$arbre/tests/linux" "$arbre/nouveau/sous"
printf '#include "Factices.h"\n#include "tests/commun/X.h"\n#include "shell/CApp.h"\n#include "tests/linux/Y.h"\n' \
    > "$arbre/tests/core/C.cpp"
printf '#include <sys/stat.h>\n#include <gtest/gtest.h>\n#include <vector>\n#include <shell/CFenetre.h>\n' \
    > "$arbre/tests/core/D.hpp"
printf '#include "tests/linux/Y.h"\n' > "$arbre/tests/linux/Y.cpp"
printf '#pragma once\n' > "$arbre/nouveau/sous/D.h"
if sortie=$(bash "$depot/scripts/verifier-inclusions.sh" "$arbre"); then
    echo "les inclusions interdites sont passées"; exit 1
fi
attendu=$'model/A.h:3: inclusion interdite de « shell/CApp.h » (model/ n\'inclut pas shell/)\nmodel/B.cpp:1: inclusion interdite de « capture/MiseAJour.h » (model/ n\'inclut pas capture/)\nmodel/B.h:2: inclusion interdite de « capture/MiseAJour.h » (model/ n\'inclut pas capture/)\nnouveau/sous/ : aucune ligne dans la règle des inclusions de README.md\ntests/core/C.cpp:3: inclusion interdite de « shell/CApp.h » (tests/core/ n\'inclut pas shell/)\ntests/core/C.cpp:4: inclusion interdite de « tests/linux/Y.h » (tests/core/ n\'inclut pas tests/linux/)\ntests/core/D.hpp:4: inclusion interdite de « shell/CFenetre.h » (tests/core/ n\'inclut pas shell/)'
if [[ "$(sort <<<"$sortie")" != "$attendu" ]]; then
    printf 'attendu :\n%s\nobtenu :\n%s\n' "$attendu" "$sortie"; exit 1
fi
