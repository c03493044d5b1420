#pragma once
// The words of a quick search and how a file's path is tested against them: every
// word must occur in the path (folder path, separator, name), letters compared
// without regard to case, accents or compatibility forms ("École" is found by
// "ecole", "Straße" by "strasse", "ﬁchier" by "fichier"). A word holding '*' or '?'
// is a pattern the file's name must match as a whole, both folded.

#include <string>
#include <string_view>
#include <vector>

// `texte` folded for a quick search: compatibility decomposition, full case folding,
// combining marks removed. A byte that is not part of valid UTF-8 stays as it is, so
// it matches only itself.
std::string plierPourRecherche(std::string_view texte);
// The same, appended to `sortie`.
void plierALaSuite(std::string_view texte, std::string& sortie);

struct SMotRapide {
    std::string texte;  // folded
    bool motif = false; // holds '*' or '?': matched against the folded name alone
};

// The words of `saisie`: separated by blanks; a word in double quotes may hold blanks
// (an unclosed quote runs to the end). Empty words are dropped.
std::vector<SMotRapide> analyserMots(std::string_view saisie);

// Whether a file whose folded full path is `cheminPlie` and whose name (as stored) is
// `nom` holds every word. No word: nothing is found.
bool correspondMots(const std::vector<SMotRapide>& mots, std::string_view cheminPlie, std::string_view nom);

// Whether every file `mots` find is among those `anciens` found: each former word is
// inside one of the new ones (a pattern only as itself). Typing on narrows the search
// to the former answer.
bool affinent(const std::vector<SMotRapide>& mots, const std::vector<SMotRapide>& anciens);
