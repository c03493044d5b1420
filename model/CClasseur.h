#pragma once
// A binder: a named set of queries inside a document.

#include "model/CListeElements.h"
#include "model/CNomme.h"

class CClasseur : public CNomme {
public:
    explicit CClasseur(CDoc* doc, std::string nom = {});
    // Deletes its queries.
    ~CClasseur() override;

    int codeType() const override { return kTypeClasseur; }
    std::string titre() const override;
    CDoc* document() const override { return doc_; }
    CClasseur* classeur() const override { return const_cast<CClasseur*>(this); }
    bool estModifiable() const override { return true; }
    void marquerTousTrouves() override;

    int typeListe() const override { return 0; }
    SContenuListe contenuListe(bool filtreRecherche) const override;
    void collecterFichiers(CListeElements<CFichier>& liste) override;

    CResultat<> verifierNouveauNom(const std::string& nom) const override;

    void definirDocument(CDoc* doc) { doc_ = doc; }
    CListeElements<CRequete>& requetes() { return requetes_; }
    const CListeElements<CRequete>& requetes() const { return requetes_; }

private:
    CDoc* doc_;
    CListeElements<CRequete> requetes_;
};
