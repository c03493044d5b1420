#include "model/CDossier.h"

#include "model/Arene.h"
#include "model/Totaux.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CUtilisateur.h"
#include "model/CRequete.h"
#include "platform/Chemins.h"
#include "platform/CPlateforme.h"

namespace {

void ajouterLignesFichiers(const CDossier& d, std::vector<CElement*>& lignes, bool sousDossiers, bool filtre)
{
    for (CFichier* f : d.fichiers())
        if (!filtre || f->marque != 0)
            lignes.push_back(f);
    if (sousDossiers)
        for (const CDossier* s : d.sousDossiers())
            ajouterLignesFichiers(*s, lignes, true, filtre);
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

void CDossier::definirChemin(std::string chemin)
{
    if (chemin == chemin_)
        return;
    for (CFichier* f : fichiers_)
        f->garderCheminAPart();
    chemin_ = std::move(chemin);
}

CArene& CDossier::arene()
{
    if (!arene_) {
        if (requete_ && static_cast<CDossier*>(requete_) != this)
            arene_ = requete_->areneCommune();
        else
            arene_ = std::make_shared<CArene>();
    }
    return *arene_;
}

CFichier* CDossier::nouveauFichier(std::string_view chemin)
{
    CFichier* f = CFichier::creer(arene(), this, chemin);
    try {
        fichiers_.ajouter(f);
    } catch (...) {
        delete f;
        throw;
    }
    return f;
}

void CDossier::vider()
{
    // Not a change of the query's snapshot by itself: a capture empties the detached
    // folder it fills on its own thread. Whoever empties a query in its document tells
    // the query (CRequete::instantaneChange).
    fichiers_.supprimerElements();
    sousDossiers_.supprimerElements();
    // A query emptied leaves nothing in its arena: the memory goes back.
    if (static_cast<CDossier*>(requete_) == this)
        arene_.reset();
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

SContenuListe CDossier::contenuListe(bool filtreRecherche) const
{
    const CRequete* q = requete_;
    const CDoc* doc = document();
    const bool avecSousDossiers = doc && !doc->afficherSousDossiers;
    SContenuListe r;
    r.colonnes.push_back({"Nom", 175, false, EChamp::Nom});
    if (q && q->stockerTaille)
        r.colonnes.push_back({"Taille", 100, true, EChamp::Taille});
    if (q && q->stockerCree)
        r.colonnes.push_back({"Créé", 100, false, EChamp::Cree});
    if (q && q->stockerModifie)
        r.colonnes.push_back({"Modifié", 100, false, EChamp::Modifie});
    if (q && q->stockerAccede)
        r.colonnes.push_back({"Accédé", 70, false, EChamp::Accede});
    if (q && q->stockerAttributs)
        r.colonnes.push_back({"Attribut", 50, true, EChamp::Attribut});
    if (avecSousDossiers)
        r.colonnes.push_back({"Dossier", 200, false, EChamp::Dossier});
    ajouterLignesFichiers(*this, r.lignes, avecSousDossiers, filtreRecherche);
    return r;
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
