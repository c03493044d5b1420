#pragma once
// What a node's list shows: columns, and rows that carry a node. The cells are not
// given as texts: the view formats only the cells it shows, from the row's node and
// the column's field (see TexteCellule.h).

#include <string>
#include <vector>

class CElement;

// The value a column shows.
enum class EChamp {
    NomRequete,      // binder list: the query's name
    DossierRequete,  // binder list: the query's directory
    Nom,             // file list: file name
    Taille,
    Cree,
    Modifie,
    Accede,
    Attribut,
    Dossier,         // file list: the file's folder
};

struct SColonne {
    std::string titre;
    int largeur = 100;        // pixels
    bool aDroite = false;     // right-aligned
    EChamp champ = EChamp::Nom;
};

struct SContenuListe {
    std::vector<SColonne> colonnes;
    std::vector<CElement*> lignes;
};
