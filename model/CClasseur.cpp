#include "model/CClasseur.h"

#include "capture/MiseAJour.h"

#include "model/Totaux.h"
#include "model/CContexte.h"
#include "model/CControleListe.h"
#include "model/CDoc.h"
#include "model/CUtilisateur.h"
#include "model/CRequete.h"
#include "model/TableChaines.h"
#include "search/Recherche.h"

CClasseur::CClasseur(CDoc* doc, std::string nom) : doc_(doc)
{
    nom_ = std::move(nom);
}

CClasseur::~CClasseur()
{
    requetes_.supprimerElements();
    contexte().oublier(this);
}

std::string CClasseur::titre() const
{
    return "Classeur \"" + nom_ + "\"";
}

void CClasseur::afficherProprietes()
{
    SProprietes p;
    ajouterProprietes(*this, p);
    p.titre = "Propriétés du classeur '" + nom_ + "'";
    utilisateur().afficherProprietes(p);
}

void CClasseur::marquerTousTrouves()
{
    for (CRequete* q : requetes_)
        q->marquerTousTrouves();
}

void CClasseur::remplirListe(CControleListe& liste)
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

bool CClasseur::supprimer()
{
    if (doc_)
        doc_->classeurs().retirerElement(this);
    delete this;
    return true;
}

bool CClasseur::verifierNouveauNom(const std::string& nom)
{
    if (nom.empty())
        return refuserNom(kMsgClasseurSansNom);
    if (doc_)
        for (const CClasseur* c : doc_->classeurs())
            if (c->nom() == nom)
                return refuserNom(kMsgClasseurExiste);
    return true;
}

std::string CClasseur::capturerRequetes()
{
    std::string textes;
    for (CRequete* q : requetes_) {
        SBilanCapture bilan;
        const EResultatMiseAJour resultat =
            mettreAJourRequete(*q, utilisateur().suiviCapture(), utilisateur().filsCapture(), &bilan);
        if (const std::string texte = texteMiseAJour(*q, resultat, bilan); !texte.empty())
            textes += (textes.empty() ? "" : "\n") + texte;
    }
    return textes;
}

void CClasseur::mettreAJour()
{
    // The search is applied once all queries are captured, and one message names
    // every disk that was not there and every folder that could not be read.
    const std::string absents = capturerRequetes();
    reappliquerRecherche();
    if (!absents.empty())
        utilisateur().message(absents, EBoutons::Ok, EIcone::Exclamation);
}
