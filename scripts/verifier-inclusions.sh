#!/usr/bin/env bash
# Checks every #include "..." of our folders against the dependency rule written in the
# README (the block after the "règle des inclusions" marker): a folder includes itself
# and the folders its line names; a "; sources →" part names what its .cpp files may
# include on top. Prints file:line for each forbidden include and fails.
# Usage: verifier-inclusions.sh [racine du dépôt]
set -euo pipefail
racine="${1:-$(dirname "$0")/..}"
cd "$racine"

regles=$(awk '/<!-- règle des inclusions -->/ { dedans = 1; next }
              dedans && /^```/ { if (ouvert) exit; ouvert = 1; next }
              dedans && ouvert && NF { print }' README.md)
if [[ -z "$regles" ]]; then
    echo "README.md : règle des inclusions introuvable" >&2
    exit 2
fi

# One line per file to check: "dossier|fichier".
fichiers=$(echo "$regles" | awk '{ print $1 }' | while read -r dossier; do
    find "$dossier" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -printf "$dossier|%p\n" 2>/dev/null || true
done)

# A file found under two rules (none today) would be checked by the more specific one:
# each folder is listed with -maxdepth 1, so platform/ never sees platform/linux/.
echo "$fichiers" | while IFS='|' read -r dossier fichier; do
    [[ -z "$fichier" ]] && continue
    grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$fichier" | sed "s|^|$fichier:$dossier:|" || true
done | awk -v regles="$regles" '
    BEGIN {
        n = split(regles, lignes, "\n")
        for (i = 1; i <= n; ++i) {
            split(lignes[i], moities, ";")
            k = split(moities[1], mots, /[[:space:]→]+/)
            dossier = mots[1]
            connus[dossier] = 1
            permis[dossier, dossier] = 1
            for (j = 2; j <= k; ++j) if (mots[j] != "") permis[dossier, mots[j]] = 1
            k = split(moities[2], mots, /[[:space:]→]+/)
            for (j = 1; j <= k; ++j) if (mots[j] != "" && mots[j] != "sources") sources[dossier, mots[j]] = 1
        }
    }
    {
        # fichier:dossier:ligne:#include "chemin"
        split($0, champs, ":")
        fichier = champs[1]; dossier = champs[2]; ligne = champs[3]
        chemin = $0; sub(/^[^"]*"/, "", chemin); sub(/".*$/, "", chemin)
        cible = chemin; sub(/\/[^\/]*$/, "", cible)
        if (cible == chemin) cible = "."
        if ((dossier, cible) in permis) next
        if (fichier ~ /\.cpp$/ && (dossier, cible) in sources) next
        printf "%s:%s: inclusion interdite de « %s » (%s/ n'\''inclut pas %s/)\n", fichier, ligne, chemin, dossier, cible
        fautes = 1
    }
    END { exit fautes }'
