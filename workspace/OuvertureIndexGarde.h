#pragma once
// A catalogue opened with its kept index, for the window program: the quick search then
// reads the index's blocks, mapped from the cache, instead of building its own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Resultat.h"
#include "workspace/IndexGardeCatalogue.h"

class CDoc;
class CIndexRapide;
class CRequete;

// A document opened with its kept index: each of its queries as read paired with its
// part of the index, which the window's quick search reads instead of building its own
// for as long as that query's snapshot is the one read.
class CIndexGardeDocument {
public:
    // Paired in order, as the index was written; a query whose name differs has none.
    CIndexGardeDocument(std::shared_ptr<const SIndexGardeOuvert> index, const CDoc& doc);
    // The index of `q` over the kept blocks; null when it has none or its snapshot
    // changed since (or has not the shape of the one indexed).
    std::unique_ptr<CIndexRapide> indexDe(const CRequete& q) const;

private:
    struct SPaire {
        std::uint64_t identifiant;
        std::uint64_t version;
        const SRequeteGardee* gardee;
    };
    std::shared_ptr<const SIndexGardeOuvert> index_;
    std::vector<SPaire> paires_;
};

// Loads the catalogue at `chemin` into `doc` (as chargerCatalogue) and, when the cache
// holds an index of the very file read, returns it paired with the document's queries.
struct SChargementAvecIndex {
    CResultat<> charge;
    std::shared_ptr<const CIndexGardeDocument> index;
};
SChargementAvecIndex chargerAvecIndexGarde(CDoc& doc, const std::string& chemin, const std::string& dossierCache);
