#include "workspace/IndexGardeCatalogue.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <system_error>
#include <thread>

#include "model/CDoc.h"
#include "model/CRequete.h"
#include "platform/Chemins.h"
#include "platform/SommeRapide.h"
#include "storage/Descripteur.h"
#include "storage/FichierOrdinaire.h"

namespace {

// Whether `chemin`, named by an index found in the cache, is a catalogue that is gone:
// its folder is there and the file is not. A catalogue on a disk not plugged in (its
// folder missing too) keeps its index.
bool catalogueDisparu(const std::string& chemin)
{
    if (chemin.empty() || chemin.front() != '/')
        return true;
    if (identiteFichier(chemin) || errno != ENOENT)
        return false;
    const std::string dossier(dossierDuChemin(chemin));
    return !dossier.empty() && identiteFichier(dossier).has_value();
}

} // namespace

std::string dossierCacheIndex(bool sansCache)
{
    const char* variable = std::getenv("NORVANEL_SANS_CACHE");
    return sansCache || (variable && *variable) ? std::string() : dossierCache();
}

namespace {

std::string nomDuCheminReel(const std::string& reel)
{
    if (reel.empty())
        return {};
    char nom[48];
    std::snprintf(nom, sizeof nom, "index-v%u-%016llx", unsigned(kVersionIndexGarde),
                  static_cast<unsigned long long>(sommeRapide(reel)));
    return nom;
}

} // namespace

std::string nomIndexGarde(const std::string& chemin)
{
    return nomDuCheminReel(cheminReel(chemin));
}

std::unique_ptr<SIndexGardeOuvert> ouvrirIndexGarde(const std::string& dossierCache, const std::string& chemin,
                                                    const SIdentiteCatalogue& identite)
{
    if (dossierCache.empty())
        return nullptr;
    const std::string nom = nomIndexGarde(chemin);
    if (nom.empty())
        return nullptr;
    auto ouvert = std::make_unique<SIndexGardeOuvert>();
    ouvert->fichier = lireCache(dossierCache, nom);
    if (!ouvert->fichier)
        return nullptr;
    auto requetes = lireIndexGarde(
        std::string_view(reinterpret_cast<const char*>(ouvert->fichier.donnees()), ouvert->fichier.taille()), identite);
    if (!requetes)
        return nullptr;
    ouvert->requetes = std::move(*requetes);
    return ouvert;
}

CIndexAEcrire::CIndexAEcrire(std::string dossierCache, const CDoc& doc)
    : dossierCache_(std::move(dossierCache)), requetes_(requetesAGarder(doc))
{
}

bool CIndexAEcrire::nommer(const std::string& chemin, const SIdentiteCatalogue& identite,
                           const std::vector<std::uint64_t>& debutsFichiers)
{
    cheminReel_ = cheminReel(chemin);
    nom_ = nomDuCheminReel(cheminReel_);
    identite_ = identite;
    return !cheminReel_.empty() && !nom_.empty() && repartirDebuts(requetes_.requetes, debutsFichiers);
}

bool CIndexAEcrire::ecrire() const
{
    if (dossierCache_.empty() || nom_.empty())
        return false;
    bool ecrit = false;
    try {
        const auto morceaux = ecrireIndexGardeEnMorceaux(identite_, cheminReel_, requetes_.requetes);
        ecrit = morceaux && ecrireCache(dossierCache_, nom_, morceaux->morceaux);
    } catch (const std::bad_alloc&) {
        // No room for the index: the catalogue is searched without it.
    }
    nettoyerIndexGardes(dossierCache_, kLimiteCacheIndex);
    return ecrit;
}

bool garderIndex(const std::string& dossierCache, const CDoc& doc, const std::string& chemin,
                 const SIdentiteCatalogue& identite, const std::vector<std::uint64_t>& debutsFichiers)
{
    if (dossierCache.empty())
        return false;
    try {
        CIndexAEcrire index(dossierCache, doc);
        return index.nommer(chemin, identite, debutsFichiers) && index.ecrire();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

struct CIndexPendantEnregistrement::SEtat {
    std::string dossierCache;
    std::optional<CIndexAEcrire> index;
    std::thread fil;
};

CIndexPendantEnregistrement::CIndexPendantEnregistrement(const std::string& dossierCache, const CDoc& doc)
    : etat_(std::make_unique<SEtat>())
{
    if (dossierCache.empty())
        return;
    etat_->dossierCache = dossierCache;
    const auto construire = [etat = etat_.get(), &doc] {
        try {
            etat->index.emplace(etat->dossierCache, doc);
        } catch (const std::bad_alloc&) {
            etat->index.reset();  // no index kept, the save goes on
        }
    };
    try {
        etat_->fil = std::thread(construire);
    } catch (const std::system_error&) {
        construire();  // no thread to be had: built here
    }
}

CIndexPendantEnregistrement::~CIndexPendantEnregistrement()
{
    if (etat_->fil.joinable())
        etat_->fil.join();
}

std::optional<CIndexAEcrire> CIndexPendantEnregistrement::terminer(const CDoc& doc,
                                                                   const std::vector<std::uint64_t>& debutsFichiers)
{
    if (etat_->fil.joinable())
        etat_->fil.join();
    if (!etat_->index || !doc.identiteSurDisque)
        return std::nullopt;
    const SOuvertureLecture ouvert = ouvrirFichierOrdinaire(doc.chemin);
    if (ouvert.probleme)
        return std::nullopt;
    const SDescripteur fd{ouvert.fd};
    const auto identite = identiteCatalogue(fd.fd);
    if (!identite || identite->fichier != *doc.identiteSurDisque ||
        !etat_->index->nommer(doc.chemin, *identite, debutsFichiers))
        return std::nullopt;
    return std::move(etat_->index);
}

void nettoyerIndexGardes(const std::string& dossierCache, std::uint64_t limite)
{
    nettoyerCache(dossierCache, limite, [&](const std::string& nom) {
        // Only our indexes are judged here; what else lies there is left to its owner.
        if (nom.rfind("index-", 0) != 0)
            return true;
        const CFichierCache f = lireCache(dossierCache, nom);
        if (!f)
            return true;
        const auto catalogue =
            cheminCatalogueGarde(std::string_view(reinterpret_cast<const char*>(f.donnees()), f.taille()));
        // An index we can no longer read (an older version, damaged) is of no use.
        return catalogue && !catalogueDisparu(std::string(*catalogue));
    });
}
