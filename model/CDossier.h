#pragma once
// A folder of a snapshot. A query is itself the root folder of its snapshot.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/CAffichable.h"
#include "model/CListeElements.h"
#include "model/COuvrable.h"



class CArene;

class CDossier : public virtual CElement, public virtual COuvrable, public virtual CAffichable {
public:
    CDossier(CRequete* requete, std::string chemin, bool cache);
    // Deletes the file entries, then the sub-folders.
    ~CDossier() override;

    int codeType() const override { return kTypeDossier; }
    std::string titre() const override;
    CDoc* document() const override;
    CClasseur* classeur() const override;
    CRequete* requete() const override { return requete_; }
    CDossier* commeDossier() override { return this; }
    void marquerTousTrouves() override;

    int typeListe() const override { return 1; }
    SContenuListe contenuListe(bool filtreRecherche) const override;
    void collecterFichiers(CListeElements<CFichier>& liste) override;

    bool aDossierContenant() const override;
    // Whether the path lies below its query's folder (the query itself counts): a
    // crafted catalogue may file "/etc" in a disk's snapshot.
    bool estDansSaRequete() const;

    const std::string& chemin() const { return chemin_; }
    // Its files keep the paths they had (see CFichier::definirParent).
    void definirChemin(std::string chemin);
    bool estCache() const { return cache_; }
    void definirCache(bool cache) { cache_ = cache; }
    void definirRequete(CRequete* requete) { requete_ = requete; }

    // Owned children, in enumeration (or file) order.
    CListeElements<CDossier>& sousDossiers() { return sousDossiers_; }
    const CListeElements<CDossier>& sousDossiers() const { return sousDossiers_; }
    CListeElements<CFichier>& fichiers() { return fichiers_; }
    const CListeElements<CFichier>& fichiers() const { return fichiers_; }

    // Where this folder's new file entries go: its query's arena, or one of its own for
    // a folder of no query.
    CArene& arene();
    // A new file entry at the end of the list, in that arena.
    CFichier* nouveauFichier(std::string_view chemin);
    // This folder's entries live in `arene` from now on (a capture put in place).
    void partagerArene(std::shared_ptr<CArene> arene) { arene_ = std::move(arene); }
    const std::shared_ptr<CArene>& areneCommune() { arene(); return arene_; }

    // Deletes every file entry and sub-folder.
    void vider();
    // Neither file entries nor sub-folders.
    bool estVide() const { return fichiers_.estVide() && sousDossiers_.estVide(); }

    // Title of the properties dialog.
    virtual std::string titreProprietes() const;

protected:

    CRequete* requete_;
    std::string chemin_;
    std::shared_ptr<CArene> arene_;   // made on first need
    CListeElements<CDossier> sousDossiers_;
    // A catalogue may hold millions of folders: the flag sits in the list head's tail
    // padding, which makes a folder 8 bytes (one allocation step) smaller.
    [[no_unique_address]] CListeElements<CFichier> fichiers_;
    bool cache_;
};
