#pragma once
// The rows of a results window, in their sorted order, each a non-owning reference to
// a file entry. Built for a million rows: added rows wait until the next sort and are
// merged into the sorted ones; a destroyed file leaves its rows at once, found through
// an index instead of a scan, and its slot is left empty until the next sort, so
// that the million files of a closed document do not each shift the whole array.

#include <cstdint>
#include <utility>
#include <vector>

class CFichier;

class CLignesResultats {
public:
    struct SLigne {
        CFichier* fichier;
        std::int32_t statut;
    };

    // `colonneStatut`: the comparison windows have a status column first (each row's
    // status); the search window does not.
    explicit CLignesResultats(bool colonneStatut) : colonneStatut_(colonneStatut) {}

    int nombreColonnes() const { return colonneStatut_ ? 8 : 7; }
    // The field of TriListe a column sorts on.
    int champDeColonne(int colonne) const;

    // Rows shown (added rows wait for trier()).
    int nombre() const { return vivants_; }
    CFichier* ligne(int rang) const;
    // The comparison status the row was added with (0 for a search row).
    std::int32_t statut(int rang) const;

    void vider();
    void ajouter(CFichier* fichier, std::int32_t statut = 0) { arrivees_.push_back({fichier, statut}); }
    bool enAttente() const { return !arrivees_.empty(); }

    // Brings the added rows in and sorts again on the current column and direction.
    void trier();
    // A header click: the same column inverts the direction, another keeps it.
    void trierSur(int colonne);
    int colonneTri() const { return colonne_; }
    bool croissant() const { return croissant_; }

    // The rank of the next row of `fichier`, to take out with retirerRang;
    // -1 when the file has no row (any more).
    int rangDe(const CFichier* fichier);
    void retirerRang(int rang);
    // Forgets `fichier` among the rows that wait for the sort.
    void oublierArrivee(const CFichier* fichier);
    void oublierArrivees(const std::vector<const CFichier*>& fichiers);

    // Rows already in the current sort column and direction, put in place of every row
    // (prepared elsewhere: nothing is compared here).
    void remplacer(std::vector<SLigne> triees);

private:
    std::vector<int> ordreArrivees(int champ) const;
    int comparer(const SLigne& a, const SLigne& b, int champ) const;
    int caseDe(int rang) const;
    int rangDeCase(int c) const;
    void compacter();
    void construireCompteur();
    void construireIndex();

    bool colonneStatut_;
    int colonne_ = 0;
    bool croissant_ = true;
    // Sorted rows; a null slot is a row gone since the last sort.
    std::vector<SLigne> cases_;
    int vivants_ = 0;
    std::vector<SLigne> arrivees_;
    // Over the slots while some are empty: live rows counted in a binary indexed tree,
    // which turns a rank into a slot and back in a few steps.
    std::vector<int> compteur_;
    // (file, slot), sorted, built at the first removal after a sort.
    std::vector<std::pair<const CFichier*, int>> index_;
};
