#pragma once
// A catalogue document: its binders and the view settings saved with it.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/CListeElements.h"
#include "model/CNomme.h"
#include "platform/IdentiteFichier.h"

class CSuiteInconnue;

class CObservateurDocument;
class CRequete;
struct SChangement;

class CDoc : public CNomme {
public:
    CDoc();
    // Deletes every binder, and leaves no program-wide reference to the document.
    ~CDoc() override;

    CDoc* document() const override { return const_cast<CDoc*>(this); }
    bool estModifiable() const override { return true; }
    void marquerTousTrouves() override;

    void collecterFichiers(CListeElements<CFichier>& liste) override;


    // A new document: one binder "Général", returned (the current binder of a new
    // document).
    CClasseur* initialiserNouveau();
    // Deletes every binder (each deletes its queries and snapshots).
    void viderContenu();

    // --- Commands ------------------------------------------------------------------
    // A new binder, named "Classeur", "Classeur 2", ... Nothing is marked modified
    // until it is renamed.
    CClasseur* nouveauClasseur();
    // Shows or hides the folders of every query in the tree; no capture runs.
    void basculerSousDossiers();
    // A copy of `requete` (one of this document's) appended to `destination`, named
    // after it as a new query would be. Returns the copy.
    CRequete* copierRequete(const CRequete& requete, CClasseur& destination);
    // `requete` moved to the end of `destination`; false when it is there already.
    bool deplacerRequete(CRequete& requete, CClasseur& destination);
    // Renames a binder or a query: an unchanged name is accepted as it is; another
    // one only when its check accepts it, and then the document is modified; otherwise
    // the reason the user is told.
    CResultat<> renommer(CNomme& noeud, const std::string& nouveauNom);
    // Deletes a binder or a query of this document with everything beneath it; false
    // for any other node (the document itself, another document's). The node is gone
    // when this returns true.
    bool supprimerNoeud(CNomme& noeud);

    // "Classeur", then "Classeur 2", "Classeur 3", ... the first name no binder has.
    std::string nomNouveauClasseur() const;
    // `base`, then "base 2", "base 3", ... the first name no query of the document has.
    std::string nomNouvelleRequete(const std::string& base) const;
    bool contientClasseur(const CClasseur* classeur) const;
    bool contientRequete(const std::string& nom) const;

    CListeElements<CClasseur>& classeurs() { return classeurs_; }
    const CListeElements<CClasseur>& classeurs() const { return classeurs_; }

    bool estModifie() const { return modifie_; }
    void definirModifie(bool modifie = true)
    {
        const bool change = modifie != modifie_;
        modifie_ = modifie;
        if (change && surChangementModifie)
            surChangementModifie();
    }
    // Called when the document becomes modified or saved, for the window's title.
    std::function<void()> surChangementModifie;

    // Those told of every change of the document's contents (not owned); each adds
    // and removes itself.
    void ajouterObservateur(CObservateurDocument* observateur);
    void retirerObservateur(CObservateurDocument* observateur);
    // Tells every observer of `changement`, in the order they came.
    void annoncer(const SChangement& changement);

    // Path of the catalogue file; empty for a document never saved.
    std::string chemin;
    // The file as it was when last loaded or saved, to tell whether another program
    // changed it since; none for a document never saved.
    std::optional<SIdentiteFichier> identiteSurDisque;

    // View settings, saved with the catalogue.
    bool afficherSousDossiers = true;
    std::array<std::int32_t, 2> colonneTri = {0, 0};          // per list kind
    std::array<bool, 2> triCroissant = {true, true};           // per list kind
    std::array<std::array<std::int32_t, 7>, 3> ordreColonnes = {{{0, 1, 2, 3, 4, 5, 6},
                                                                  {0, 1, 2, 3, 4, 5, 6},
                                                                  {0, 1, 2, 3, 4, 5, 6}}};

    // The bytes found after the last binder (what a newer program may add there),
    // written back after it unchanged; none in a new document. Held by the file code,
    // which alone knows what is inside.
    std::shared_ptr<CSuiteInconnue> suiteInconnue;

private:
    CListeElements<CClasseur> classeurs_;
    bool modifie_ = false;
    std::vector<CObservateurDocument*> observateurs_;
};
