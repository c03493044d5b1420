#include "model/CRequete.h"

#include <atomic>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CUtilisateur.h"
#include "model/TableChaines.h"

namespace {

void copierSnapshot(const CDossier& source, CDossier& copie, CRequete* requete)
{
    for (const CFichier* f : source.fichiers()) {
        CFichier* c = CFichier::copier(copie.arene(), &copie, *f);
        try {
            copie.fichiers().ajouter(c);
        } catch (...) {
            delete c;
            throw;
        }
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

CRequete::~CRequete() = default;

std::unique_ptr<CRequete> CRequete::copier() const
{
    std::unique_ptr<CRequete> copie = copierParametres();
    copierSnapshot(*this, *copie, copie.get());
    return copie;
}

std::unique_ptr<CRequete> CRequete::copierParametres() const
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

CResultat<> CRequete::verifierNouveauNom(const std::string& nom) const
{
    if (nom.empty())
        return echec(chaine(kMsgRequeteSansNom));
    if (const CDoc* doc = document(); doc && doc->contientRequete(nom))
        return echec(chaine(kMsgRequeteExiste));
    return {};
}

