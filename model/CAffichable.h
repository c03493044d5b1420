#pragma once
// List services of the nodes the views show (document, binder, query, folder).

#include "model/CElement.h"
#include "model/CListeElements.h"
#include "model/ContenuListe.h"

class CNomme;

class CAffichable : public virtual CElement {
public:
    CAffichable* commeAffichable() override { return this; }

    virtual CNomme* commeNomme() { return nullptr; }
    // 0 a binder's list of queries, 1 a list of files, -1 none.
    virtual int typeListe() const { return -1; }
    // The list's columns and rows; `filtreRecherche`: only the found files.
    virtual SContenuListe contenuListe(bool filtreRecherche) const
    {
        (void)filtreRecherche;
        return {};
    }
    // Appends every file entry beneath the node, folder by folder, files first.
    virtual void collecterFichiers(CListeElements<CFichier>&) {}
};
