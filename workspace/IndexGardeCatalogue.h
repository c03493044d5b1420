#pragma once
// A catalogue's kept quick-search index in the user's cache: named after the
// catalogue's real path, used only for the very file it was made from, written after a
// load or a save that noted where the file records start. The cache folder is passed
// in: empty, nothing is read nor written.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/CacheFichiers.h"
#include "platform/IdentiteFichier.h"
#include "search/IndexGarde.h"

class CDoc;

// The cache folder of the kept indexes (dossierCache()); none when `sansCache` or when
// the variable NORVANEL_SANS_CACHE is set and not empty.
std::string dossierCacheIndex(bool sansCache);

// Past this size the cache's oldest indexes go.
inline constexpr std::uint64_t kLimiteCacheIndex = std::uint64_t(2) << 30;

// The kept file's name for the catalogue at `chemin`: its real path hashed, with the
// format's version. Empty when the path cannot be resolved.
std::string nomIndexGarde(const std::string& chemin);

// A kept index mapped and read; its queries point into the mapping.
struct SIndexGardeOuvert {
    CFichierCache fichier;
    std::vector<SRequeteGardee> requetes;
};

// The kept index of the catalogue at `chemin` whose identity is `identite` now, when one
// is there and every check passes.
std::unique_ptr<SIndexGardeOuvert> ouvrirIndexGarde(const std::string& dossierCache, const std::string& chemin,
                                                    const SIdentiteCatalogue& identite);

// A document's index made but not yet written: the index of each query, then its
// file's bytes, written to the cache by ecrire() on any thread (it reads no document).
class CIndexAEcrire {
public:
    CIndexAEcrire() = default;
    // Built from `doc` now, on the thread that owns it or while it cannot change (a save
    // under way).
    CIndexAEcrire(std::string dossierCache, const CDoc& doc);
    CIndexAEcrire(CIndexAEcrire&&) noexcept = default;
    CIndexAEcrire& operator=(CIndexAEcrire&&) noexcept = default;

    // The catalogue it is for: at `chemin`, read or saved with its file records at
    // `debutsFichiers`, and whose identity is `identite`. False when they do not match.
    bool nommer(const std::string& chemin, const SIdentiteCatalogue& identite,
                const std::vector<std::uint64_t>& debutsFichiers);
    // Each query's index, in the document's order: a search may read them meanwhile.
    const std::vector<std::unique_ptr<CIndexRapide>>& index() const { return requetes_.index; }
    // Writes it, then cleans the cache (indexes of catalogues gone, the oldest past
    // kLimiteCacheIndex). False when it could not be written: searches then read the
    // catalogue, as without a cache.
    bool ecrire() const;

private:
    std::string dossierCache_;
    SRequetesAGarder requetes_;
    std::string cheminReel_;
    std::string nom_;
    SIdentiteCatalogue identite_;
};

// The index of `doc`, read from `chemin` whose identity is `identite`, its file records
// at `debutsFichiers`, built and written now.
bool garderIndex(const std::string& dossierCache, const CDoc& doc, const std::string& chemin,
                 const SIdentiteCatalogue& identite, const std::vector<std::uint64_t>& debutsFichiers);

// A document's index built on a thread of its own while the document is saved (it
// must not change until terminer()), so that keeping it adds little to the save.
class CIndexPendantEnregistrement {
public:
    CIndexPendantEnregistrement(const std::string& dossierCache, const CDoc& doc);
    ~CIndexPendantEnregistrement();
    // Once the save is over: the index named after the file saved, when it is still the
    // one the save wrote (doc.identiteSurDisque) and `debutsFichiers` its records.
    std::optional<CIndexAEcrire> terminer(const CDoc& doc, const std::vector<std::uint64_t>& debutsFichiers);

private:
    struct SEtat;
    std::unique_ptr<SEtat> etat_;
};

// Removes the indexes whose catalogue is gone (its folder there, the file not: a
// catalogue on a disk not plugged in keeps its index), then the oldest past `limite`.
void nettoyerIndexGardes(const std::string& dossierCache, std::uint64_t limite);
