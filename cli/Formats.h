#pragma once
// How values are written by the command-line tool: raw forms for tsv and json,
// and the texts of the lists for people.

#include <string>
#include <string_view>
#include <vector>

#include "model/ValeursBrutes.h"

class CFichier;

enum class EFormat { Texte, Tsv, Json, Csv, Html };

// A JSON string, quotes included. A byte that is not part of valid UTF-8 is written
// as \uDC80..\uDCFF, the form such bytes take in catalogue files; C0 and C1 controls
// and DEL as \u00HH.
std::string jsonTexte(std::string_view texte);

// Text and tsv values go through texteAffichable() (platform/TexteAffichable.h).

// The same row for people (model/ValeursBrutes.h has its raw form).
std::vector<std::string> cellulesTexte(const CFichier& f);
// The same row as a JSON object (null for a value not stored).
std::string ligneJson(const CFichier& f, int statut = -1);

// Rows of cells as aligned columns under their titles.
std::string tableauTexte(const std::vector<std::string>& titres,
                         const std::vector<std::vector<std::string>>& lignes);
