#!/usr/bin/env bash
# Checks every #include "..." of our folders against the dependency rule written in the
# README (the block after the "règle des inclusions" marker): a folder includes itself
# and the folders its line names, headers and sources alike: the rule has no exception.
# Every folder holding sources needs its line, so that none goes
# unchecked; an include in angle brackets of one of our folders is checked as well.
# Prints file:line for each forbidden include and fails.
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
dossiers=$(awk '{ print $1 }' <<<"$regles")
sources=(-type f \( -name '*.h' -o -name '*.hh' -o -name '*.hpp' -o -name '*.inl' -o -name '*.c' -o -name '*.cc'
         -o -name '*.cpp' -o -name '*.cxx' \))

# Folders of sources that no line names (build trees aside).
sans_regle=$(find . \( -name 'build*' -o -name '.git' \) -prune -o "${sources[@]}" -printf '%h\n' |
                 sed 's|^\./||' | sort -u | grep -vxF -f <(echo "$dossiers") || true)
fautes=0
for dossier in $sans_regle; do
    echo "$dossier/ : aucune ligne dans la règle des inclusions de README.md"
    fautes=1
done

# Each folder is listed with -maxdepth 1, so platform/ never sees platform/linux/: a
# file's own folder is the one whose rule it follows.
for dossier in $dossiers; do
    [[ -d "$dossier" ]] && find "$dossier" -maxdepth 1 "${sources[@]}" -print0
done | xargs -0 -r sh -c 'grep -Hn "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]" "$@" || [ $? -eq 1 ]' grep |
    awk -v regles="$regles" '
    BEGIN {
        n = split(regles, lignes, "\n")
        for (i = 1; i <= n; ++i) {
            split(lignes[i], moities, ";")
            k = split(moities[1], mots, /[[:space:]→]+/)
            dossier = mots[1]
            racine = dossier; sub(/\/.*$/, "", racine)
            nos_racines[racine] = 1
            permis[dossier, dossier] = 1
            # A bare name is found beside the file that includes it.
            permis[dossier, "."] = 1
            for (j = 2; j <= k; ++j) if (mots[j] != "") permis[dossier, mots[j]] = 1
        }
    }
    {
        # fichier:ligne:#include "chemin" (or <chemin>)
        split($0, champs, ":")
        fichier = champs[1]; ligne = champs[2]
        dossier = fichier; sub(/\/[^\/]*$/, "", dossier)
        chemin = $0; sub(/^[^"<]*["<]/, "", chemin); sub(/[">].*$/, "", chemin)
        # <sys/stat.h>, <QtCore/QString>: not ours.
        racine = chemin; sub(/\/.*$/, "", racine)
        if ($0 ~ /include[[:space:]]*</ && !(chemin ~ /\// && racine in nos_racines)) next
        cible = chemin; sub(/\/[^\/]*$/, "", cible)
        if (cible == chemin) cible = "."
        if ((dossier, cible) in permis) next
        printf "%s:%s: inclusion interdite de « %s » (%s/ n'\''inclut pas %s/)\n", fichier, ligne, chemin, dossier, cible
        fautes = 1
    }
    END { exit fautes }' || fautes=1
exit "$fautes"
