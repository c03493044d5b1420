#pragma once
// The text a list cell shows, made only when the cell is shown: a folder of 200 000
// files is listed without formatting a single date that scrolls by unseen.

#include <string>

#include "model/ContenuListe.h"

class CElement;

// The text of `champ` for the row carrying `ligne` (a file, or a query of a binder's
// list); empty for a field that row kind has no value for.
std::string texteCellule(CElement& ligne, EChamp champ);

// A text at least as wide as most cells of `champ` (a late date and time, a four-digit
// size, every attribute letter); empty for names and folders, which vary too much. The
// list widens a column to it when the screen's font needs more than the column's width.
std::string texteExemple(EChamp champ);
