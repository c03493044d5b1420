#pragma once
// A search results list kept as a plain vector, standing in for the results window.
// Sorting belongs to the window and is left out of the measure.

#include <algorithm>
#include <vector>

#include "search/Recherche.h"

class CResultatsMemoire : public CResultatsRecherche {
public:
    void vider() override { lignes.clear(); }
    void ajouterLigne(CFichier* fichier) override { lignes.push_back(fichier); }
    void retrier() override {}
    void retirerFichier(const CFichier* fichier) override
    {
        lignes.erase(std::remove(lignes.begin(), lignes.end(), fichier), lignes.end());
    }

    std::vector<CFichier*> lignes;
};
