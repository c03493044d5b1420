#include "model/CDossier.h"

#include "model/Totaux.h"
#include "model/CClasseur.h"
#include "model/CContexte.h"
#include "model/CControleListe.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CUtilisateur.h"
#include "model/CRequete.h"
#include "platform/Chemins.h"
#include "platform/CPlateforme.h"

namespace {

void ajouterLignesFichiers(const CDossier& d, CControleListe& liste, bool sousDossiers, bool filtre)
{
    for (CFichier* f : d.fichiers())
        if (!filtre || f->marque != 0)
            liste.ajouterLigne(f);
    if (sousDossiers)
        for (const CDossier* s : d.sousDossiers())
            ajouterLignesFichiers(*s, liste, true, filtre);
}

} // namespace

CDossier::CDossier(CRequete* requete, std::string chemin, bool cache)
    : requete_(requete), chemin_(std::move(chemin)), cache_(cache)
{
}

CDossier::~CDossier()
{
    // Not vider(): the query this folder belongs to may be going already.
    fichiers_.supprimerElements();
    sousDossiers_.supprimerElements();
}

void CDossier::vider()
{
    // Emptied to be filled again, most often: what was read from it is out of date.
    if (requete_)
        requete_->instantaneChange();
    fichiers_.supprimerElements();
    sousDossiers_.supprimerElements();
}

std::string CDossier::titre() const
{
    return "Dossier \"" + chemin_ + "\"";
}

CDoc* CDossier::document() const
{
    return requete_ ? requete_->document() : nullptr;
}

CClasseur* CDossier::classeur() const
{
    return requete_ ? requete_->classeur() : nullptr;
}

std::string CDossier::titreProprietes() const
{
    return "Propriétés du dossier \"" + chemin_ + "\"";
}

void CDossier::marquerTousTrouves()
{
    for (CFichier* f : fichiers_)
        f->marque = 1;
    for (CDossier* d : sousDossiers_)
        d->marquerTousTrouves();
}

void CDossier::remplirListe(CControleListe& liste, bool filtreRecherche)
{
    const CRequete* q = requete_;
    const CDoc* doc = document();
    const bool avecSousDossiers = doc && !doc->afficherSousDossiers;
    liste.ajouterColonne({"Nom", 175, false, EChamp::Nom});
    if (q && q->stockerTaille)
        liste.ajouterColonne({"Taille", 100, true, EChamp::Taille});
    if (q && q->stockerCree)
        liste.ajouterColonne({"Créé", 100, false, EChamp::Cree});
    if (q && q->stockerModifie)
        liste.ajouterColonne({"Modifié", 100, false, EChamp::Modifie});
    if (q && q->stockerAccede)
        liste.ajouterColonne({"Accédé", 70, false, EChamp::Accede});
    if (q && q->stockerAttributs)
        liste.ajouterColonne({"Attribut", 50, true, EChamp::Attribut});
    if (avecSousDossiers)
        liste.ajouterColonne({"Dossier", 200, false, EChamp::Dossier});
    ajouterLignesFichiers(*this, liste, avecSousDossiers, filtreRecherche);
}

void CDossier::collecterFichiers(CListeElements<CFichier>& liste)
{
    liste.ajouterListe(fichiers_);
    for (CDossier* d : sousDossiers_)
        d->collecterFichiers(liste);
}

bool CDossier::estDansSaRequete() const
{
    return !requete_ || this == static_cast<const CDossier*>(requete_) ||
           estSousDossier(chemin_, requete_->chemin());
}

bool CDossier::aDossierContenant() const
{
    return !plateforme().estRacine(chemin_);
}
