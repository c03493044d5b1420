#include "model/CTableResultats.h"

#include <algorithm>

#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/TriListe.h"

namespace {

template <typename T>
int trois(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

void CTableResultats::vider()
{
    lignes_.clear();
    retires_.clear();
}

void CTableResultats::ajouter(CFichier* fichier)
{
    // A new entry may take the address of a destroyed one: settle those first.
    compacter();
    lignes_.push_back(fichier);
}

void CTableResultats::retirer(const CFichier* fichier)
{
    if (!lignes_.empty())
        retires_.insert(fichier);
}

const std::vector<CFichier*>& CTableResultats::lignes()
{
    compacter();
    return lignes_;
}

void CTableResultats::compacter()
{
    if (retires_.empty())
        return;
    std::erase_if(lignes_, [this](const CFichier* f) { return retires_.count(f) != 0; });
    retires_.clear();
}

int CTableResultats::comparer(const CFichier& a, const CFichier& b, int colonne) const
{
    if (comparaison_) {
        if (colonne == 0)
            return trois(a.marque, b.marque);
        --colonne;
    }
    return comparerFichiers(a, b, colonne);
}

void CTableResultats::definirTri(int colonne, bool croissant)
{
    colonne_ = std::clamp(colonne, 0, nombreColonnes() - 1);
    croissant_ = croissant;
    trier();
}

void CTableResultats::trier(std::optional<int> colonne)
{
    if (colonne && *colonne >= 0 && *colonne < nombreColonnes()) {
        if (*colonne == colonne_)
            croissant_ = !croissant_;
        colonne_ = *colonne;
    }
    compacter();
    // Stable, so rows that compare equal keep the order the search gave them.
    std::stable_sort(lignes_.begin(), lignes_.end(), [this](const CFichier* a, const CFichier* b) {
        const int c = comparer(*a, *b, colonne_);
        return croissant_ ? c < 0 : c > 0;
    });
}
