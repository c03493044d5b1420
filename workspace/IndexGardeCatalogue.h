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
#include "search/MotsRapides.h"

class CDoc;
class CFichier;
class CRequete;

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

// Writes the index of `doc`, read from or saved to `chemin` whose identity is
// `identite`, its file records starting at `debutsFichiers`; then cleans the cache
// (indexes of catalogues gone, the oldest past kLimiteCacheIndex). False when it could
// not be written (the search then reads the catalogue, as without a cache).
bool garderIndex(const std::string& dossierCache, const CDoc& doc, const std::string& chemin,
                 const SIdentiteCatalogue& identite, const std::vector<std::uint64_t>& debutsFichiers);

// The same after `doc` was saved to its path, its records starting at `debutsFichiers`:
// only when the file there is still the one the save wrote.
bool garderIndexEnregistre(const std::string& dossierCache, const CDoc& doc,
                           const std::vector<std::uint64_t>& debutsFichiers);

// Removes the indexes whose catalogue is gone (its folder there, the file not: a
// catalogue on a disk not plugged in keeps its index), then the oldest past `limite`.
void nettoyerIndexGardes(const std::string& dossierCache, std::uint64_t limite);

// The files a quick search finds through a kept index, each read from the catalogue's
// own record into a folder of its stored path, in a query of its stored values: they
// print as the loaded catalogue's would, in the same order.
class CTrouvaillesGardees {
public:
    CTrouvaillesGardees();
    ~CTrouvaillesGardees();
    CTrouvaillesGardees(CTrouvaillesGardees&&) noexcept;
    const std::vector<const CFichier*>& fichiers() const { return fichiers_; }

private:
    friend std::optional<CTrouvaillesGardees> chercherParIndexGarde(int, std::uint64_t, const SIndexGardeOuvert&,
                                                                   const std::vector<SMotRapide>&);
    std::vector<std::unique_ptr<CRequete>> requetes_;
    std::vector<const CFichier*> fichiers_;
};

// Searches `index` for `mots`, reading what it finds from the catalogue open as `fd`
// (`taille` bytes). nullopt when a record is not where the index says or not the file
// it names: the catalogue is then read whole instead.
std::optional<CTrouvaillesGardees> chercherParIndexGarde(int fd, std::uint64_t taille, const SIndexGardeOuvert& index,
                                                         const std::vector<SMotRapide>& mots);
