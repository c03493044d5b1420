#pragma once
// The sort of a document's list pane: which field a column sorts on, how two rows
// compare, and how a header click changes the stored sort of a list kind.
//
// List kinds: 0 a binder's queries, 1 the files of a query or folder. Fields of a
// file list: 0 name, 1 size, 2 creation, 3 modification, 4 access, 5 attributes,
// 6 folder, 7 found mark (a comparison status); of a binder's list: 0 name, 1 folder.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class CElement;
class CFichier;
class CRequete;

// The column layout whose stored order the list of `noeud` follows: 0 a binder, 1 a
// folder, or a query while sub-folders are shown, 2 a query while they are not.
int dispositionColonnes(const CElement& noeud, bool afficherSousDossiers);

// The field column `colonne` of a list of kind `typeListe` sorts on. For a file list the
// columns after the name are those of the fields `requete` stores, in field order;
// any column past them is the folder.
int champDeColonne(int typeListe, int colonne, const CRequete* requete);

// <0, 0, >0 as `a` sorts before, with or after `b` on field `champ`, ascending. Texts
// compare byte-wise (case-sensitive), sizes as unsigned numbers, dates in time order.
int comparerFichiers(const CFichier& a, const CFichier& b, int champ);

// The comparison of two rows of a list of kind `typeListe`, by key: field + 1, negative
// for a descending sort (the rows are then compared the other way round). A null
// row, or a key that names no field, compares equal.
int comparerLignes(int typeListe, int cle, CElement* a, CElement* b);

// The stored sort of one list kind.
struct STriListe {
    int colonne = 0;
    bool croissant = true;
};

// The sort after a click on `colonne` (none: sort again as stored), with a forced
// direction or none. The same column again inverts the direction; another column
// keeps it.
STriListe triApresClic(STriListe tri, std::optional<int> colonne, std::optional<bool> sensForce);

// The order that sorts `lignes` by field `champ`: the row indices, first to last.
// Rows that compare equal keep their listing order.
std::vector<int> ordreTri(const std::vector<CElement*>& lignes, int typeListe, int champ, bool croissant);

// The same for file entries alone, sorted on keys read once per file (the fast way
// for a million rows).
std::vector<int> ordreFichiers(const std::vector<const CFichier*>& fichiers, int champ, bool croissant);

// The keys of ordreFichiers in two steps: read from the files on the thread that owns
// them (a slice at a time if need be), then ordered, once, on any thread. With
// `copier`, they hold copies: ordering reaches no file, which may be gone by then.
class CClesTri {
public:
    explicit CClesTri(int champ, bool copier = true);
    ~CClesTri();
    CClesTri(CClesTri&&) noexcept;
    CClesTri& operator=(CClesTri&&) noexcept;

    int champ() const { return champ_; }
    // Room for `nombre` more files: reading them then never moves what was read (a
    // slice stays short).
    void reserver(std::size_t nombre);
    // Appends the keys of `nombre` files, after those read before.
    void lire(const CFichier* const* fichiers, std::size_t nombre);
    std::size_t nombre() const { return nombre_; }
    // The order ordreFichiers gives over every file read, first to last. The keys are
    // used up.
    std::vector<int> ordonner(bool croissant);

private:
    struct SCles;
    // `texte` where the keys see it: a copy, or the file's own.
    std::string_view texte(std::string_view texte);
    // The number of a folder path among those read, the same for every file sharing it.
    std::uint32_t numeroDossier(std::string_view dossier);

    int champ_;
    bool copier_;
    std::size_t nombre_ = 0;
    std::unique_ptr<SCles> cles_;
};

// True when the first `n` entries of `ordre` are an arrangement of 0 to n - 1.
bool estPermutation(const int* ordre, int n);
