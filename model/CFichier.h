#pragma once
// A file entry of a snapshot. The name is not stored twice: it is the tail of the
// full path (a catalogue holds millions of entries).

#include <cstdint>
#include <string>
#include <string_view>

#include "model/CDate.h"
#include "model/CDateHeure.h"
#include "model/Marque.h"
#include "model/COuvrable.h"


class CFichier : public COuvrable {
public:
    CFichier(CDossier* parent, std::string chemin);
    // A copy with the same values, parent and found mark.
    CFichier(const CFichier& autre);
    // Withdraws its rows from the result lists first.
    ~CFichier() override;

    CFichier* commeFichier() override { return this; }
    CRequete* requete() const override;
    void marquerTousTrouves() override { marque = 1; }

    bool aDossierContenant() const override { return true; }

    // Writes the record, or reads it into this entry.

    CDossier* parent() const { return parent_; }
    void definirParent(CDossier* parent) { parent_ = parent; }
    const std::string& chemin() const { return chemin_; }
    std::string_view nom() const { return std::string_view(chemin_).substr(debutNom_); }
    void definirChemin(std::string chemin);

    // Whether the path is where the catalogue files the entry: its folder's path plus its
    // name, in a folder below its query's. A damaged or crafted catalogue may file any
    // path anywhere ("/etc/passwd" in a folder of a disk).
    bool estALaPlaceAnnoncee() const;
    // The folder the path leads to: the parent's path when the entry is in its place;
    // empty for an entry outside any folder.
    std::string_view dossierReel() const;

    CDateHeure cree;
    CDateHeure modifie;
    CDate accede;
    std::uint32_t taille = 0;
    char lettres[5] = {};        // up to four of R, H, S, A, then a zero
    CMarque marque;              // found mark, or comparison status

private:
    CDossier* parent_;
    std::string chemin_;
    std::uint32_t debutNom_ = 0;
};
