#pragma once
// A file entry of a snapshot. A catalogue holds millions of them, so an entry is a
// compact record in its snapshot's arena (model/Arene.h): 52 bytes of values followed
// by its name. Its full path is its folder's path and its name, made when asked.
//
// What does not fit that record is kept aside, in a block of its own that only such an
// entry has: a stored path that is not its folder's path plus its name (a damaged or
// crafted catalogue may file "/etc/passwd" in a folder of a disk), a name longer than
// 65 534 bytes, a date whose fields a calendar does not hold. So every stored value
// comes back as it was read.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/CDate.h"
#include "model/CDateHeure.h"
#include "model/Marque.h"
#include "model/COuvrable.h"

class CArene;

class CFichier : public COuvrable {
public:
    // A new entry of `parent` (may be null) in `arene`, whose stored path is `chemin`.
    static CFichier* creer(CArene& arene, CDossier* parent, std::string_view chemin);
    // A copy of `source` in `arene`, with the same values and found mark, for `parent`,
    // whose path must be that of the source's folder.
    static CFichier* copier(CArene& arene, CDossier* parent, const CFichier& source);
    // Destroys `f`, made last in `arene`, and gives its memory back.
    static void abandonner(CArene& arene, CFichier* f);
    // Only an arena holds entries.
    static void* operator new(std::size_t) = delete;
    static void* operator new(std::size_t, void* ou) noexcept { return ou; }
    // The memory stays with the arena; it is marked dead.
    static void operator delete(void* p, std::size_t taille) noexcept;
    static void operator delete(void*, void*) noexcept {}
    CFichier(const CFichier&) = delete;
    CFichier& operator=(const CFichier&) = delete;
    ~CFichier() override;

    CFichier* commeFichier() override { return this; }
    CRequete* requete() const override;
    void marquerTousTrouves() override { marque = 1; }

    bool aDossierContenant() const override { return true; }

    CDossier* parent() const { return parent_; }
    // A new parent of another path first keeps the entry's path aside, so that the path
    // stays what was stored.
    void definirParent(CDossier* parent);
    // Its folder's path changes: the entry keeps its path as it is now.
    void garderCheminAPart();
    // A path of its own, kept aside (only a test or a benchmark renames an entry).
    void definirChemin(std::string_view chemin);
    std::string chemin() const;
    // The same, into `tampon` (cleared first): no allocation once it has grown.
    void ecrireChemin(std::string& tampon) const;
    std::string_view nom() const;

    // Whether the path is where the catalogue files the entry: its folder's path plus its
    // name, in a folder below its query's.
    bool estALaPlaceAnnoncee() const;
    // The folder the path leads to: the parent's path when the entry is in its place;
    // empty for an entry outside any folder.
    std::string_view dossierReel() const;

    CDateHeure cree() const;
    CDateHeure modifie() const;
    CDate accede() const;
    void definirCree(const CDateHeure& d);
    void definirModifie(const CDateHeure& d);
    void definirAccede(const CDate& d);

private:
    struct SAPart;

    explicit CFichier(CDossier* parent) : parent_(parent) {}
    const char* queue() const { return reinterpret_cast<const char*>(&longueurNom_ + 1); }
    char* queue() { return reinterpret_cast<char*>(&longueurNom_ + 1); }
    SAPart* aPart() const;
    // The bytes the entry took in its arena.
    std::size_t tailleEnArene() const;
    // The block kept aside, made on first need with the path as it is now.
    SAPart& aPartCree();
    void passerDatesAPart();

    // The fields in the order that packs them into 52 bytes.
    CDossier* parent_;
    std::uint64_t cree_ = 0;     // packed (see CFichier.cpp), or aside
    std::uint64_t modifie_ = 0;
    std::uint32_t accede_ = 0;

public:
    std::uint32_t taille = 0;
    CMarque marque;              // found mark, or comparison status
    char lettres[5] = {};        // up to four of R, H, S, A, then a zero

private:
    std::uint8_t drapeaux_ = 0;
    // Bytes of the name that follows the record (0 once kept aside). The record is
    // given at least 8 bytes after it, where a pointer to the block aside goes.
    std::uint16_t longueurNom_ = 0;
};
