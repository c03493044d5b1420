#pragma once
// The text a list cell shows, made only when the cell is shown: a folder of 200 000
// files is listed without formatting a single date that scrolls by unseen.

#include <string>

#include "model/CControleListe.h"

class CElement;

// The text of `champ` for the row carrying `ligne` (a file, or a query of a binder's
// list); empty for a field that row kind has no value for.
std::string texteCellule(CElement& ligne, EChamp champ);
