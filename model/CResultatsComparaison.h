#pragma once
// The comparison results window, as the comparison and the nodes see it.

#include <cstdint>

#include "model/CListeResultats.h"

class CFichier;
class CRequete;

class CResultatsComparaison : public CListeResultats {
public:
    virtual void vider() = 0;
    // One row with its comparison status, kept by the row: the file's found mark is
    // rewritten by any later search.
    virtual void ajouterLigne(CFichier* fichier, std::int32_t statut) = 0;
    // The pair last compared: title and legends name them, and the list is sorted again
    // by its current column and direction. With none (both null) the window returns to
    // its start state, list emptied.
    virtual void definirPaire(CRequete* premiere, CRequete* seconde) = 0;
    // A node was renamed (perhaps one of the pair): what names the pair is read again.
    virtual void relireNoms() {}

    // The comparison tells the pair through here, so that the list remembers which
    // queries its rows come from.
    void montrerPaire(CRequete* premiere, CRequete* seconde)
    {
        premiere_ = premiere;
        seconde_ = seconde;
        definirPaire(premiere, seconde);
    }
    bool montre(const CRequete& requete) const { return &requete == premiere_ || &requete == seconde_; }

private:
    const CRequete* premiere_ = nullptr;
    const CRequete* seconde_ = nullptr;
};
