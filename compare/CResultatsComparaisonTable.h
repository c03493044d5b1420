#pragma once
// Comparison results kept in a CTableResultats, with the pair they compare.

#include "model/CResultatsComparaison.h"
#include "model/CTableResultats.h"

class CResultatsComparaisonTable : public CResultatsComparaison {
public:
    void vider() override { table.vider(); }
    // Read at once by the command-line tool, before any search can rewrite the found
    // marks: the status is read there from the mark.
    void ajouterLigne(CFichier* fichier, std::int32_t) override { table.ajouter(fichier); }
    void definirPaire(CRequete* a, CRequete* b) override
    {
        premiere = a;
        seconde = b;
        if (a)
            table.trier();
        else
            table.vider();
    }
    void retirerFichier(const CFichier* fichier) override { table.retirer(fichier); }

    CTableResultats table{true};
    CRequete* premiere = nullptr;
    CRequete* seconde = nullptr;
};
