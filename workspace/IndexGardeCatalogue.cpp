#include "workspace/IndexGardeCatalogue.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <system_error>
#include <thread>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/Chemins.h"
#include "platform/SommeRapide.h"
#include "storage/Descripteur.h"
#include "storage/FichierCatalogue.h"
#include "storage/FichierOrdinaire.h"
#include "storage/LecteurEnregistrements.h"

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

CIndexGardeDocument::CIndexGardeDocument(std::shared_ptr<const SIndexGardeOuvert> index, const CDoc& doc)
    : index_(std::move(index))
{
    std::size_t k = 0;
    for (const CClasseur* c : doc.classeurs())
        for (const CRequete* q : c->requetes()) {
            if (k < index_->requetes.size() && index_->requetes[k].nom == q->nom())
                paires_.push_back({q->identifiant(), q->versionInstantane(), &index_->requetes[k]});
            ++k;
        }
}

std::unique_ptr<CIndexRapide> CIndexGardeDocument::indexDe(const CRequete& q) const
{
    for (const SPaire& p : paires_)
        if (p.identifiant == q.identifiant())
            return p.version == q.versionInstantane() ? CIndexRapide::surBlocs(p.gardee->blocs, q, index_) : nullptr;
    return nullptr;
}

SChargementAvecIndex chargerAvecIndexGarde(CDoc& doc, const std::string& chemin, const std::string& dossierCache)
{
    const SOuvertureLecture ouvert = ouvrirFichierOrdinaire(chemin);
    if (ouvert.probleme)
        return {chargerCatalogue(doc, chemin), nullptr};  // it says why
    const SDescripteur fd{ouvert.fd};
    const auto identite = dossierCache.empty() ? std::nullopt : identiteCatalogue(fd.fd);
    SChargementAvecIndex r{chargerCatalogue(doc, chemin, fd.fd), nullptr};
    // The index of what was read: the same file before and after.
    if (r.charge && identite && identiteCatalogue(fd.fd) == identite)
        if (std::shared_ptr<const SIndexGardeOuvert> index = ouvrirIndexGarde(dossierCache, chemin, *identite))
            r.index = std::make_shared<const CIndexGardeDocument>(std::move(index), doc);
    return r;
}

CTrouvaillesGardees::CTrouvaillesGardees() = default;
CTrouvaillesGardees::~CTrouvaillesGardees() = default;
CTrouvaillesGardees::CTrouvaillesGardees(CTrouvaillesGardees&&) noexcept = default;

std::optional<CTrouvaillesGardees> chercherParIndexGarde(int fd, std::uint64_t taille, const SIndexGardeOuvert& index,
                                                         const std::vector<SMotRapide>& mots)
{
    const std::atomic<bool> jamais{false};
    CLecteurEnregistrements lecteur(fd, taille);
    CTrouvaillesGardees trouvailles;
    for (const SRequeteGardee& g : index.requetes) {
        const auto recherche = CIndexRapide::surBlocs(g.blocs);
        if (!recherche)
            return std::nullopt;
        const std::vector<std::uint32_t> numeros = recherche->chercherNumeros(mots, jamais);
        if (numeros.empty())
            continue;
        // A query of the stored values, its folders as stored: the rows read as the
        // loaded catalogue's.
        auto q = std::make_unique<CRequete>(nullptr);
        q->definirNom(std::string(g.nom));
        q->stockerTaille = g.drapeaux & kGardeTaille;
        q->stockerCree = g.drapeaux & kGardeCree;
        q->stockerModifie = g.drapeaux & kGardeModifie;
        q->stockerAccede = g.drapeaux & kGardeAccede;
        q->stockerAttributs = g.drapeaux & kGardeAttributs;
        std::uint32_t d = 0;
        CDossier* dossier = nullptr;
        std::string plie;
        for (const std::uint32_t f : numeros) {
            if (!dossier || g.blocs.premierFichier[d + 1] <= f) {
                while (g.blocs.premierFichier[d + 1] <= f)
                    ++d;
                dossier = new CDossier(q.get(), std::string(g.cheminDossier(d)), false);
                q->sousDossiers().ajouter(dossier);
            }
            const CFichier* lu = lecteur.lire(g.debutFichier(d, f), *dossier);
            // The record must be the file the index names: else the catalogue changed
            // in a way its identity did not tell, and the index is not used.
            if (!lu)
                return std::nullopt;
            plie.clear();
            plierALaSuite(lu->nom(), plie);
            const std::string_view nomIndex =
                g.blocs.noms.substr(g.blocs.debutNoms[f], g.blocs.debutNoms[f + 1] - g.blocs.debutNoms[f] - 1);
            if (plie != nomIndex)
                return std::nullopt;
            trouvailles.fichiers_.push_back(lu);
        }
        trouvailles.requetes_.push_back(std::move(q));
    }
    return trouvailles;
}
