#include "model/CLignesResultats.h"

#include <algorithm>
#include <numeric>

#include "model/CFichier.h"
#include "model/TriListe.h"

namespace {

// The field of the status column, after the seven file fields.
constexpr int kChampStatut = 7;

} // namespace

int CLignesResultats::champDeColonne(int colonne) const
{
    // Status first, then the seven columns in the order of the file fields.
    if (colonneStatut_)
        return colonne == 0 ? 7 : colonne - 1;
    return colonne;
}

CFichier* CLignesResultats::ligne(int rang) const
{
    if (rang < 0 || rang >= vivants_)
        return nullptr;
    return cases_[static_cast<std::size_t>(caseDe(rang))].fichier;
}

std::int32_t CLignesResultats::statut(int rang) const
{
    if (rang < 0 || rang >= vivants_)
        return 0;
    return cases_[static_cast<std::size_t>(caseDe(rang))].statut;
}

void CLignesResultats::vider()
{
    cases_.clear();
    arrivees_.clear();
    compteur_.clear();
    index_.clear();
    vivants_ = 0;
}

void CLignesResultats::remplacer(std::vector<SLigne> triees)
{
    vider();
    cases_ = std::move(triees);
    vivants_ = static_cast<int>(cases_.size());
}

void CLignesResultats::trierSur(int colonne)
{
    if (colonne < 0 || colonne >= nombreColonnes())
        return;
    if (colonne == colonne_)
        croissant_ = !croissant_;
    colonne_ = colonne;
    arrivees_.insert(arrivees_.begin(), cases_.begin(), cases_.end());
    std::erase_if(arrivees_, [](const SLigne& l) { return !l.fichier; });
    cases_.clear();
    trier();
}

void CLignesResultats::trier()
{
    compacter();
    const int champ = champDeColonne(colonne_);
    const std::vector<int> ordre = ordreArrivees(champ);
    const std::size_t avant = cases_.size();
    cases_.reserve(avant + ordre.size());
    for (int i : ordre)
        cases_.push_back(arrivees_[static_cast<std::size_t>(i)]);
    arrivees_.clear();
    // The rows already there are sorted: the new ones merge in after their equals,
    // as a stable sort of the whole would put them.
    const bool croissant = croissant_;
    std::inplace_merge(cases_.begin(), cases_.begin() + static_cast<std::ptrdiff_t>(avant), cases_.end(),
                       [this, champ, croissant](const SLigne& a, const SLigne& b) {
                           const int c = comparer(a, b, champ);
                           return croissant ? c < 0 : c > 0;
                       });
    vivants_ = static_cast<int>(cases_.size());
    index_.clear();
}

std::vector<int> CLignesResultats::ordreArrivees(int champ) const
{
    if (champ != kChampStatut) {
        std::vector<const CFichier*> nouveaux;
        nouveaux.reserve(arrivees_.size());
        for (const SLigne& l : arrivees_)
            nouveaux.push_back(l.fichier);
        return ordreFichiers(nouveaux, champ, croissant_);
    }
    std::vector<int> ordre(arrivees_.size());
    std::iota(ordre.begin(), ordre.end(), 0);
    std::stable_sort(ordre.begin(), ordre.end(), [this](int a, int b) {
        const std::int32_t x = arrivees_[std::size_t(a)].statut, y = arrivees_[std::size_t(b)].statut;
        return croissant_ ? x < y : x > y;
    });
    return ordre;
}

int CLignesResultats::comparer(const SLigne& a, const SLigne& b, int champ) const
{
    if (champ == kChampStatut)
        return (a.statut > b.statut) - (a.statut < b.statut);
    return comparerFichiers(*a.fichier, *b.fichier, champ);
}

void CLignesResultats::compacter()
{
    if (compteur_.empty())
        return;
    std::erase_if(cases_, [](const SLigne& l) { return !l.fichier; });
    compteur_.clear();
    index_.clear();
}

void CLignesResultats::construireCompteur()
{
    // Binary indexed tree, 1-based: every slot is live when it is built.
    const std::size_t n = cases_.size();
    compteur_.assign(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i) {
        compteur_[i] += 1;
        if (const std::size_t j = i + (i & (~i + 1)); j <= n)
            compteur_[j] += compteur_[i];
    }
}

void CLignesResultats::construireIndex()
{
    index_.clear();
    index_.reserve(static_cast<std::size_t>(vivants_));
    for (std::size_t c = 0; c < cases_.size(); ++c)
        if (cases_[c].fichier)
            index_.emplace_back(cases_[c].fichier, static_cast<int>(c));
    std::sort(index_.begin(), index_.end());
}

int CLignesResultats::caseDe(int rang) const
{
    if (compteur_.empty())
        return rang;
    // The slot holding the (rang + 1)-th live row.
    std::size_t pos = 0;
    int reste = rang + 1;
    std::size_t pas = 1;
    while (pas * 2 < compteur_.size())
        pas *= 2;
    for (; pas > 0; pas /= 2)
        if (pos + pas < compteur_.size() && compteur_[pos + pas] < reste) {
            pos += pas;
            reste -= compteur_[pos];
        }
    return static_cast<int>(pos);
}

int CLignesResultats::rangDeCase(int c) const
{
    if (compteur_.empty())
        return c;
    int rang = 0;
    for (std::size_t i = static_cast<std::size_t>(c); i > 0; i -= i & (~i + 1))
        rang += compteur_[i];
    return rang;
}

int CLignesResultats::rangDe(const CFichier* fichier)
{
    if (vivants_ == 0)
        return -1;
    if (index_.empty())
        construireIndex();
    auto it = std::lower_bound(index_.begin(), index_.end(), std::pair<const CFichier*, int>(fichier, -1));
    // The slot is checked: a removed row leaves its entry behind.
    for (; it != index_.end() && it->first == fichier; ++it)
        if (cases_[static_cast<std::size_t>(it->second)].fichier == fichier)
            return rangDeCase(it->second);
    return -1;
}

void CLignesResultats::retirerRang(int rang)
{
    if (rang < 0 || rang >= vivants_)
        return;
    const int c = caseDe(rang);
    if (compteur_.empty())
        construireCompteur();
    cases_[static_cast<std::size_t>(c)].fichier = nullptr;
    for (std::size_t i = static_cast<std::size_t>(c) + 1; i < compteur_.size(); i += i & (~i + 1))
        compteur_[i] -= 1;
    --vivants_;
}

void CLignesResultats::oublierArrivee(const CFichier* fichier)
{
    std::erase_if(arrivees_, [fichier](const SLigne& l) { return l.fichier == fichier; });
}

void CLignesResultats::oublierArrivees(const std::vector<const CFichier*>& fichiers)
{
    if (arrivees_.empty())
        return;
    std::vector<const CFichier*> partent(fichiers);
    std::sort(partent.begin(), partent.end());
    std::erase_if(arrivees_, [&partent](const SLigne& l) {
        return std::binary_search(partent.begin(), partent.end(), static_cast<const CFichier*>(l.fichier));
    });
}
