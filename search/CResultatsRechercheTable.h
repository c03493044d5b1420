#pragma once
// Search results kept in a CTableResultats.

#include "model/CTableResultats.h"
#include "search/Recherche.h"

class CResultatsRechercheTable : public CResultatsRecherche {
public:
    void vider() override { table.vider(); }
    void ajouterLigne(CFichier* fichier) override { table.ajouter(fichier); }
    void retrier() override { table.trier(); }
    void retirerFichier(const CFichier* fichier) override { table.retirer(fichier); }

    CTableResultats table{false};
};
