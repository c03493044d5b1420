#pragma once
// The quick-search index of a catalogue as a file kept between runs (in the user's
// cache), mapped read-only and searched in place. It names the catalogue it was made
// from; a reader uses it only when that catalogue is the one at hand and every count,
// offset and length it holds is checked, its checksum included. What a search finds is
// then printed from the catalogue's own records, read where the index says they start.
//
// Layout, little-endian, every section on 8 bytes:
//   header   "NRVIDXK\0", version, queries, total size, checksum of what follows it,
//            the catalogue's identity (device, inode, size, modification and change to
//            the nanosecond, checksum of its first 4 KiB), where its path lies
//   the queries' tables, the catalogue's path (what tells a clean-up it is gone)
//   per query: a table of its sections' offsets and sizes, then the sections:
//            its name, its flags, the folded names and folder paths with their
//            offsets and each folder's first file (SBlocsIndexRapide), each folder's
//            path as stored, where each folder's first file record starts in the
//            catalogue and each file record from that one.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IdentiteFichier.h"
#include "search/IndexRapide.h"

class CDoc;
class CRequete;

inline constexpr std::uint32_t kVersionIndexGarde = 1;

// A query's flags, as its rows need them.
enum : std::uint8_t {
    kGardeTaille = 1,
    kGardeCree = 2,
    kGardeModifie = 4,
    kGardeAccede = 8,
    kGardeAttributs = 16,
};

// What the writer takes for one query.
struct SRequeteAGarder {
    std::string nom;
    std::uint8_t drapeaux = 0;
    const CIndexRapide* index = nullptr;
    std::vector<std::string> cheminsDossiers;  // as stored, one per folder of the index
    std::vector<std::uint64_t> debutsFichiers; // in the catalogue, one per file of the index
};

// A query's part of the index: `index` built from it, `debutsFichiers` where its file
// records start in the catalogue (CArchive::debutsFichiers), in the same order.
SRequeteAGarder requeteAGarder(const CRequete& q, const CIndexRapide& index, std::vector<std::uint64_t> debutsFichiers);

// The file's bytes as pieces to write end to end, without copying the indexes: they
// point into `requetes`' indexes and into the buffers held here (which never move).
// nullopt when a count does not fit (more than 2^32 of anything).
struct SIndexGardeEnMorceaux {
    std::deque<std::string> tampons;
    std::deque<std::vector<std::uint32_t>> mots32;
    std::deque<std::vector<std::uint64_t>> mots64;
    std::vector<std::string_view> morceaux;
};
std::optional<SIndexGardeEnMorceaux> ecrireIndexGardeEnMorceaux(const SIdentiteCatalogue& catalogue,
                                                                std::string_view cheminCatalogue,
                                                                const std::vector<SRequeteAGarder>& requetes);
// The same, end to end; empty when a count does not fit.
std::string ecrireIndexGarde(const SIdentiteCatalogue& catalogue, std::string_view cheminCatalogue,
                             const std::vector<SRequeteAGarder>& requetes);

// Every query of a document with its index built, its records' starts not yet known:
// what can be made while the document is being saved.
struct SRequetesAGarder {
    std::vector<std::unique_ptr<CIndexRapide>> index;
    std::vector<SRequeteAGarder> requetes;
};
SRequetesAGarder requetesAGarder(const CDoc& doc);
// Gives each query its records' starts, taken in turn from `debutsFichiers` (the
// document's, as its save or load noted them); false when they do not match.
bool repartirDebuts(std::vector<SRequeteAGarder>& requetes, const std::vector<std::uint64_t>& debutsFichiers);

// The index file of a whole document: each query's index built, its records' starts
// taken in turn from `debutsFichiers` (the document's, as its save or load noted them);
// empty when they do not match.
std::string ecrireIndexGardeDocument(const CDoc& doc, const SIdentiteCatalogue& catalogue,
                                     std::string_view cheminCatalogue, const std::vector<std::uint64_t>& debutsFichiers);

// The path of the catalogue an index names, read from its header alone (no checksum:
// what a clean-up needs to tell whether that catalogue is still there).
std::optional<std::string_view> cheminCatalogueGarde(std::string_view octets);

// One query of an index read: views into the bytes read.
struct SRequeteGardee {
    std::string_view nom;
    std::uint8_t drapeaux = 0;
    SBlocsIndexRapide blocs;
    std::string_view chemins;                      // the stored folder paths, end to end
    std::span<const std::uint32_t> debutChemins;   // one per folder, and the end
    std::span<const std::uint64_t> premierEnregistrement;  // one per folder
    std::span<const std::uint32_t> decalages;      // one per file, from its folder's first

    std::string_view cheminDossier(std::uint32_t d) const
    {
        return chemins.substr(debutChemins[d], debutChemins[d + 1] - debutChemins[d]);
    }
    // Where file `f` (its number in the index), of folder `d`, starts in the catalogue.
    std::uint64_t debutFichier(std::uint32_t d, std::uint32_t f) const { return premierEnregistrement[d] + decalages[f]; }
};

// The queries of an index made from `attendu`, or nullopt when the bytes are anything
// else: another catalogue's index, another version, cut short, changed, inconsistent.
// `octets` must be 8-byte aligned (a mapping is) and outlive what is returned.
std::optional<std::vector<SRequeteGardee>> lireIndexGarde(std::string_view octets, const SIdentiteCatalogue& attendu);
