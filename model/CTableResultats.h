#pragma once
// The rows of a results window (search or comparison), kept in memory with their sort:
// what the windows and the command-line tool show. Each row refers to a file entry;
// a file of a compared pair may have two rows.

#include <optional>
#include <unordered_set>
#include <vector>

class CFichier;

class CTableResultats {
public:
    // Comparison results have a status column first; search results do not.
    explicit CTableResultats(bool comparaison) : comparaison_(comparaison) {}

    int nombreColonnes() const { return comparaison_ ? 8 : 7; }

    void vider();
    void ajouter(CFichier* fichier);
    // Drops every row of `fichier` (it is being destroyed).
    void retirer(const CFichier* fichier);
    const std::vector<CFichier*>& lignes();

    // A click on column `colonne`: the same column again inverts the direction, another
    // one keeps it. Without a column, sorts again as before.
    void trier(std::optional<int> colonne = std::nullopt);
    void definirTri(int colonne, bool croissant);
    int colonneTri() const { return colonne_; }
    bool croissant() const { return croissant_; }

    // <0, 0, >0 as `a` comes before, with, or after `b` on `colonne`, ascending.
    int comparer(const CFichier& a, const CFichier& b, int colonne) const;

private:
    void compacter();

    bool comparaison_;
    std::vector<CFichier*> lignes_;
    // Files destroyed since the rows were last compacted; looked for lazily, so that
    // destroying a million entries costs a million look-ups, not a million scans.
    std::unordered_set<const CFichier*> retires_;
    int colonne_ = 0;
    bool croissant_ = true;
};
