#include "model/CClasseur.h"


#include "model/Totaux.h"
#include "model/CControleListe.h"
#include "model/CDoc.h"
#include "model/CUtilisateur.h"
#include "model/CRequete.h"
#include "model/TableChaines.h"

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

void CClasseur::remplirListe(CControleListe& liste, bool)
{
    liste.ajouterColonne({"Nom", 100, false, EChamp::NomRequete});
    liste.ajouterColonne({"Dossier", 300, false, EChamp::DossierRequete});
    for (CRequete* q : requetes_)
        liste.ajouterLigne(static_cast<CDossier*>(q));
}

void CClasseur::collecterFichiers(CListeElements<CFichier>& liste)
{
    for (CRequete* q : requetes_)
        q->collecterFichiers(liste);
}

CResultat<> CClasseur::verifierNouveauNom(const std::string& nom) const
{
    if (nom.empty())
        return echec(chaine(kMsgClasseurSansNom));
    if (doc_)
        for (const CClasseur* c : doc_->classeurs())
            if (c->nom() == nom)
                return echec(chaine(kMsgClasseurExiste));
    return {};
}

