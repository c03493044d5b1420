#include "model/CRequete.h"

#include <atomic>

#include "capture/MiseAJour.h"
#include "compare/Comparaison.h"
#include "search/Recherche.h"
#include "model/CClasseur.h"
#include "model/CContexte.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CUtilisateur.h"
#include "model/Ouverture.h"
#include "model/TableChaines.h"

namespace {

void copierSnapshot(const CDossier& source, CDossier& copie, CRequete* requete)
{
    for (const CFichier* f : source.fichiers()) {
        auto* c = new CFichier(*f);
        c->definirParent(&copie);
        copie.fichiers().ajouter(c);
    }
    for (const CDossier* d : source.sousDossiers()) {
        auto* c = new CDossier(requete, d->chemin(), d->estCache());
        copie.sousDossiers().ajouter(c);
        copierSnapshot(*d, *c, requete);
    }
}

} // namespace

namespace {
std::atomic<std::uint64_t> prochainIdentifiant{1};
} // namespace

CRequete::CRequete(CClasseur* classeur)
    : CDossier(this, std::string(), false), criteres(CCriteres::pourCapture()), classeur_(classeur),
      identifiant_(prochainIdentifiant.fetch_add(1, std::memory_order_relaxed))
{
}

CRequete::~CRequete()
{
    // The snapshot goes with the folder part, after this; the comparison results must
    // let go of its files first, and nothing may keep pointing at the query.
    oublierRequeteComparee(*this);
    contexte().oublier(this);
}

std::unique_ptr<CRequete> CRequete::copier() const
{
    auto copie = std::make_unique<CRequete>(nullptr);
    copie->definirNom(nom_);
    copie->chemin_ = chemin_;
    copie->nomVolume = nomVolume;
    copie->numeroSerie = numeroSerie;
    copie->inclureSousDossiers = inclureSousDossiers;
    copie->inclureDossiersVides = inclureDossiersVides;
    copie->inclureCaches = inclureCaches;
    copie->modeFiltre = modeFiltre;
    copie->filtre = filtre;
    copie->stockerCree = stockerCree;
    copie->stockerModifie = stockerModifie;
    copie->stockerAccede = stockerAccede;
    copie->stockerTaille = stockerTaille;
    copie->stockerAttributs = stockerAttributs;
    copie->criteres = criteres;
    copie->criteres.cible = nullptr;
    copierSnapshot(*this, *copie, copie.get());
    return copie;
}

std::string CRequete::titre() const
{
    return "Requête \"" + nom_ + "\"";
}

CDoc* CRequete::document() const
{
    return classeur_ ? classeur_->document() : nullptr;
}

std::string CRequete::titreProprietes() const
{
    return "Propriétés de la requête \"" + nom_ + "\"";
}

void CRequete::editerParametres()
{
    if (utilisateur().editerParametres(*this, false))
        mettreAJourBranche(true);
}

ElementArbre CRequete::elementArbre(CControleArbre* arbre)
{
    if (!arbre) {
        CDoc* doc = document();
        arbre = doc ? doc->arbre() : nullptr;
    }
    if (!arbre || !classeur_)
        return 0;
    const ElementArbre parent = classeur_->elementArbre(arbre);
    return parent ? arbre->enfantDe(parent, static_cast<CDossier*>(this)) : 0;
}

void CRequete::insererEnfants(CControleArbre& arbre, ElementArbre parent)
{
    const CDoc* doc = document();
    if (doc && doc->afficherSousDossiers)
        CDossier::insererEnfants(arbre, parent);
}

ElementArbre CRequete::insererDansArbre(CControleArbre& arbre, ElementArbre parent)
{
    const ElementArbre e =
        arbre.inserer(parent, nom_, kImageRequete, kImageRequeteSelection, static_cast<CDossier*>(this));
    insererEnfants(arbre, e);
    return e;
}

void CRequete::mettreAJourBranche(bool selectionner)
{
    // The disk-absent message is given inside; nothing else to tell here.
    (void)capturerBranche(selectionner);
}

EResultatMiseAJour CRequete::capturerBranche(bool selectionner, bool premiereCapture)
{
    CDoc* doc = document();
    CControleArbre* arbre = doc ? doc->arbre() : nullptr;
    ElementArbre parent = 0;
    if (arbre) {
        if (ElementArbre e = elementArbre(arbre))
            arbre->supprimer(e);
        parent = classeur_ ? classeur_->elementArbre(arbre) : 0;
    }
    const auto remettre = [&] {
        if (arbre && parent) {
            const ElementArbre e = insererDansArbre(*arbre, parent);
            if (selectionner)
                arbre->selectionner(e);
        }
    };
    SBilanCapture bilan;
    EResultatMiseAJour resultat;
    try {
        resultat = mettreAJourRequete(*this, utilisateur().suiviCapture(), utilisateur().filsCapture(), &bilan);
        reappliquerRecherche();
    } catch (...) {
        // Short of memory, say: the snapshot is the one before, and its item comes back.
        remettre();
        throw;
    }
    remettre();
    if (!(premiereCapture && resultat == EResultatMiseAJour::RacineIllisible))
        signalerMiseAJour(resultat, bilan);
    return resultat;
}

void CRequete::ouvrir()
{
    ouvrirAvecDisque(chemin_, *this);
}

void CRequete::ouvrirDossierContenant()
{
    ouvrir();
}

bool CRequete::supprimer()
{
    if (classeur_)
        classeur_->requetes().retirerElement(this);
    delete this;
    return true;
}

bool CRequete::verifierNouveauNom(const std::string& nom)
{
    if (nom.empty())
        return refuserNom(kMsgRequeteSansNom);
    if (const CDoc* doc = document(); doc && doc->contientRequete(nom))
        return refuserNom(kMsgRequeteExiste);
    return true;
}

void CRequete::mettreAJour()
{
    SBilanCapture bilan;
    const EResultatMiseAJour resultat =
        mettreAJourRequete(*this, utilisateur().suiviCapture(), utilisateur().filsCapture(), &bilan);
    reappliquerRecherche();
    signalerMiseAJour(resultat, bilan);
}

void CRequete::signalerMiseAJour(EResultatMiseAJour resultat, const SBilanCapture& bilan) const
{
    if (const std::string texte = texteMiseAJour(*this, resultat, bilan); !texte.empty())
        utilisateur().message(texte, EBoutons::Ok, EIcone::Exclamation);
}
