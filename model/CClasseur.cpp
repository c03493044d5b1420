#include "model/CClasseur.h"

#include "model/CRequete.h"

CClasseur::CClasseur(CDoc* doc, std::string nom) : doc_(doc)
{
    nom_ = std::move(nom);
}

CClasseur::~CClasseur()
{
    requetes_.supprimerElements();
}

std::string CClasseur::titre() const
{
    return "Classeur \"" + nom_ + "\"";
}

void CClasseur::marquerTousTrouves()
{
    for (CRequete* q : requetes_)
        q->marquerTousTrouves();
}

SContenuListe CClasseur::contenuListe(bool) const
{
    SContenuListe r;
    r.colonnes = {{"Nom", 100, false, EChamp::NomRequete}, {"Dossier", 300, false, EChamp::DossierRequete}};
    r.lignes.reserve(requetes_.nombre());
    for (CRequete* q : requetes_)
        r.lignes.push_back(static_cast<CDossier*>(q));
    return r;
}

void CClasseur::collecterFichiers(CListeElements<CFichier>& liste)
{
    for (CRequete* q : requetes_)
        q->collecterFichiers(liste);
}
