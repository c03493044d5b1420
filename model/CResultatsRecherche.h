#pragma once

#include "model/CListeResultats.h"

// Where a search lists the files it found: the results window, or a table of the
// command-line tool.
class CResultatsRecherche : public CListeResultats {
public:
    virtual void vider() = 0;
    virtual void ajouterLigne(CFichier* fichier) = 0;
    // Sorts again by the current column and direction.
    virtual void retrier() = 0;
};
