#include "model/TriListe.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/CDate.h"
#include "model/CDateHeure.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/OrdreTextes.h"

namespace {

template <typename T>
int trois(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int comparerTextes(std::string_view a, std::string_view b)
{
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string_view dossierDuFichier(const CFichier& f)
{
    return f.dossierReel();
}

int comparerRequetes(const CRequete& a, const CRequete& b, int champ)
{
    switch (champ) {
    case 0: return comparerTextes(a.nom(), b.nom());
    case 1: return comparerTextes(a.chemin(), b.chemin());
    }
    return 0;
}

// A file list is sorted on keys read once per row: the sort then compares plain values
// held together in one array, where comparing the rows themselves reaches every file
// through its virtual accessors and its path on the heap, in the memory order of the
// previous sort: mostly cache misses, with 200 000 rows. The keys order exactly as
// comparerFichiers does.
template <typename Cle>
struct SCleRang {
    Cle cle;
    int rang;
};

// The attribute letters (at most four, then a zero) as one number, in byte order.
std::uint64_t cleLettres(const char (&lettres)[5])
{
    std::uint64_t cle = 0;
    bool fini = false;
    for (char c : lettres) {
        fini = fini || c == 0;
        cle = cle << 8 | (fini ? 0u : static_cast<unsigned char>(c));
    }
    return cle;
}

// The dates as numbers that order exactly as CDate and CDateHeure do (year, month,
// day, then hour, minute, second, each an unsigned 32-bit value), compared inline:
// their own comparison is a call per field.
struct SCleDate {
    std::uint64_t anneeMois;
    std::uint64_t jour;
    friend bool operator<(const SCleDate& a, const SCleDate& b)
    {
        return a.anneeMois < b.anneeMois || (a.anneeMois == b.anneeMois && a.jour < b.jour);
    }
};

struct SCleDateHeure {
    std::uint64_t anneeMois;
    std::uint64_t jourHeure;
    std::uint64_t minuteSeconde;
    friend bool operator<(const SCleDateHeure& a, const SCleDateHeure& b)
    {
        if (a.anneeMois != b.anneeMois)
            return a.anneeMois < b.anneeMois;
        if (a.jourHeure != b.jourHeure)
            return a.jourHeure < b.jourHeure;
        return a.minuteSeconde < b.minuteSeconde;
    }
};

std::uint64_t paire(std::uint32_t haut, std::uint32_t bas)
{
    return std::uint64_t(haut) << 32 | bas;
}

SCleDate cleDate(const CDate& d)
{
    return {paire(d.annee, d.mois), d.jour};
}

SCleDateHeure cleDateHeure(const CDateHeure& d)
{
    return {paire(d.date.annee, d.date.mois), paire(d.date.jour, d.heure), paire(d.minute, d.seconde)};
}

// The row order when every row has a rank below `nombreRangs`: a counting sort, two
// passes whatever the count of rows. Rows of equal rank keep their listing order.
std::vector<int> ordreParRangs(const std::vector<std::uint32_t>& rangs, std::size_t nombreRangs, bool croissant)
{
    std::vector<int> place(nombreRangs, 0);
    for (std::uint32_t r : rangs)
        ++place[r];
    // Each rank's first place: after the ranks that come before it, in the direction asked.
    int suivante = 0;
    for (std::size_t k = 0; k < nombreRangs; ++k) {
        int& p = place[croissant ? k : nombreRangs - 1 - k];
        const int nombre = p;
        p = suivante;
        suivante += nombre;
    }
    std::vector<int> ordre(rangs.size());
    for (std::size_t i = 0; i < rangs.size(); ++i)
        ordre[static_cast<std::size_t>(place[rangs[i]]++)] = static_cast<int>(i);
    return ordre;
}

// The row order of `cles`. Descending compares the other way round; equal keys keep
// their listing order either way (the rank breaks ties, which is what a stable sort
// would do, for less work).
template <typename Cle>
std::vector<int> ordreDesCles(std::vector<SCleRang<Cle>>& cles, bool croissant)
{
    if (croissant)
        std::sort(cles.begin(), cles.end(), [](const auto& a, const auto& b) {
            return a.cle < b.cle || (!(b.cle < a.cle) && a.rang < b.rang);
        });
    else
        std::sort(cles.begin(), cles.end(), [](const auto& a, const auto& b) {
            return b.cle < a.cle || (!(a.cle < b.cle) && a.rang < b.rang);
        });
    std::vector<int> ordre;
    ordre.reserve(cles.size());
    for (const auto& c : cles)
        ordre.push_back(c.rang);
    return ordre;
}

// The folders: the distinct paths are sorted once and each row sorts on its path's
// rank (no text compared per row).
std::vector<int> ordreParDossiers(const std::vector<std::string_view>& distincts, std::vector<std::uint32_t>& numeros,
                                  bool croissant)
{
    std::vector<std::uint32_t> tries(distincts.size());
    std::iota(tries.begin(), tries.end(), 0u);
    std::sort(tries.begin(), tries.end(), [&](std::uint32_t a, std::uint32_t b) { return distincts[a] < distincts[b]; });
    // Equal paths reached through different texts share one rank.
    std::vector<std::uint32_t> rangDistinct(distincts.size());
    for (std::size_t k = 0; k < tries.size(); ++k)
        rangDistinct[tries[k]] = k > 0 && distincts[tries[k]] == distincts[tries[k - 1]]
                                     ? rangDistinct[tries[k - 1]]
                                     : static_cast<std::uint32_t>(k);
    for (std::uint32_t& n : numeros)
        n = rangDistinct[n];
    return ordreParRangs(numeros, distincts.size(), croissant);
}

// The found marks (comparison statuses), each as the bits of its 32-bit value: a
// handful of values, counted, unless a damaged catalogue spread them too far for that.
std::vector<int> ordreParMarques(std::vector<std::uint32_t>& rangs, bool croissant)
{
    const auto marque = [](std::uint32_t r) { return static_cast<std::int32_t>(r); };
    const auto [petite, grande] = std::minmax_element(
        rangs.begin(), rangs.end(), [&](std::uint32_t a, std::uint32_t b) { return marque(a) < marque(b); });
    const std::int32_t min = marque(*petite);
    const auto etendue = static_cast<std::size_t>(std::int64_t(marque(*grande)) - min + 1);
    if (etendue > rangs.size() + 256) {
        std::vector<SCleRang<std::int32_t>> cles;
        cles.reserve(rangs.size());
        for (std::size_t i = 0; i < rangs.size(); ++i)
            cles.push_back({marque(rangs[i]), static_cast<int>(i)});
        return ordreDesCles(cles, croissant);
    }
    for (std::uint32_t& r : rangs)
        r = static_cast<std::uint32_t>(std::int64_t(marque(r)) - min);
    return ordreParRangs(rangs, etendue, croissant);
}

// The order of a list whose rows are all files, or nothing when one is not.
std::optional<std::vector<int>> ordreLignesFichiers(const std::vector<CElement*>& lignes, int champ, bool croissant)
{
    std::vector<const CFichier*> fichiers;
    fichiers.reserve(lignes.size());
    for (CElement* e : lignes) {
        const CFichier* f = e ? e->commeFichier() : nullptr;
        if (!f)
            return std::nullopt;
        fichiers.push_back(f);
    }
    return ordreFichiers(fichiers, champ, croissant);
}

} // namespace

// The keys of one field, each with its row: what the sort moves, held together.
struct CClesTri::SCles {
    std::vector<SCleRang<std::uint32_t>> tailles;
    std::vector<SCleRang<SCleDateHeure>> datesHeures;
    std::vector<SCleRang<SCleDate>> dates;
    std::vector<SCleRang<std::uint64_t>> lettres;
    std::vector<std::string_view> noms;
    // The folder of each row as the rank of its path among `dossiers`; the marks.
    std::vector<std::uint32_t> numeros;
    std::vector<std::string_view> dossiers;
    // Where each folder path's text was found: the files of a folder share its path.
    std::unordered_map<const char*, std::vector<std::pair<std::size_t, std::uint32_t>>> parDebut;
    // The copied texts, in blocks that are never enlarged, so that a view stays put.
    std::vector<std::string> blocs;
};

CClesTri::CClesTri(int champ, bool copier) : champ_(champ), copier_(copier), cles_(std::make_unique<SCles>()) {}
CClesTri::~CClesTri() = default;
CClesTri::CClesTri(CClesTri&&) noexcept = default;
CClesTri& CClesTri::operator=(CClesTri&&) noexcept = default;

std::vector<int> ordreFichiers(const std::vector<const CFichier*>& fichiers, int champ, bool croissant)
{
    // Ordered at once on this thread: the names are read where they are.
    CClesTri cles(champ, false);
    cles.reserver(fichiers.size());
    cles.lire(fichiers.data(), fichiers.size());
    return cles.ordonner(croissant);
}

void CClesTri::reserver(std::size_t nombre)
{
    SCles& c = *cles_;
    switch (champ_) {
    case 0: c.noms.reserve(c.noms.size() + nombre); break;
    case 1: c.tailles.reserve(c.tailles.size() + nombre); break;
    case 2:
    case 3: c.datesHeures.reserve(c.datesHeures.size() + nombre); break;
    case 4: c.dates.reserve(c.dates.size() + nombre); break;
    case 5: c.lettres.reserve(c.lettres.size() + nombre); break;
    case 6:
    case 7: c.numeros.reserve(c.numeros.size() + nombre); break;
    }
}

std::string_view CClesTri::texte(std::string_view texte)
{
    if (!copier_)
        return texte;
    // A block holds a mebibyte of texts, or a longer one alone; always on the heap.
    constexpr std::size_t kOctetsParBloc = 1 << 20;
    std::vector<std::string>& blocs = cles_->blocs;
    if (blocs.empty() || blocs.back().capacity() - blocs.back().size() < texte.size()) {
        blocs.emplace_back();
        blocs.back().reserve(std::max(kOctetsParBloc, texte.size()));
    }
    std::string& bloc = blocs.back();
    const std::size_t debut = bloc.size();
    bloc.append(texte);
    return std::string_view(bloc).substr(debut);
}

void CClesTri::lire(const CFichier* const* fichiers, std::size_t nombre)
{
    SCles& c = *cles_;
    const std::size_t premier = nombre_;
    // One loop per field, each as tight as a sort on that field alone.
    const auto ajouter = [&](auto& cles, auto lireCle) {
        for (std::size_t i = 0; i < nombre; ++i)
            cles.push_back({lireCle(*fichiers[i]), static_cast<int>(premier + i)});
    };
    switch (champ_) {
    case 0:
        for (std::size_t i = 0; i < nombre; ++i)
            c.noms.push_back(texte(fichiers[i]->nom()));
        break;
    case 1: ajouter(c.tailles, [](const CFichier& f) { return f.taille; }); break;
    case 2: ajouter(c.datesHeures, [](const CFichier& f) { return cleDateHeure(f.cree()); }); break;
    case 3: ajouter(c.datesHeures, [](const CFichier& f) { return cleDateHeure(f.modifie()); }); break;
    case 4: ajouter(c.dates, [](const CFichier& f) { return cleDate(f.accede()); }); break;
    case 5: ajouter(c.lettres, [](const CFichier& f) { return cleLettres(f.lettres); }); break;
    case 6:
        for (std::size_t i = 0; i < nombre; ++i)
            c.numeros.push_back(numeroDossier(dossierDuFichier(*fichiers[i])));
        break;
    case 7:
        for (std::size_t i = 0; i < nombre; ++i)
            c.numeros.push_back(static_cast<std::uint32_t>(fichiers[i]->marque));
        break;
    default: break;
    }
    nombre_ += nombre;
}

std::uint32_t CClesTri::numeroDossier(std::string_view dossier)
{
    SCles& c = *cles_;
    auto& memes = c.parDebut[dossier.data()];
    for (const auto& [taille, numero] : memes)
        if (taille == dossier.size())
            return numero;
    const auto numero = static_cast<std::uint32_t>(c.dossiers.size());
    memes.emplace_back(dossier.size(), numero);
    c.dossiers.push_back(texte(dossier));
    return numero;
}

std::vector<int> CClesTri::ordonner(bool croissant)
{
    if (nombre_ == 0)
        return {};
    SCles& c = *cles_;
    switch (champ_) {
    case 0: return ordreDesTextes(c.noms, croissant);
    case 1: return ordreDesCles(c.tailles, croissant);
    case 2:
    case 3: return ordreDesCles(c.datesHeures, croissant);
    case 4: return ordreDesCles(c.dates, croissant);
    case 5: return ordreDesCles(c.lettres, croissant);
    case 6: return ordreParDossiers(c.dossiers, c.numeros, croissant);
    case 7: return ordreParMarques(c.numeros, croissant);
    }
    // No such field: every row equal, in its listing order.
    std::vector<int> ordre(nombre_);
    std::iota(ordre.begin(), ordre.end(), 0);
    return ordre;
}

int dispositionColonnes(const CElement& noeud, bool afficherSousDossiers)
{
    switch (noeud.codeType()) {
    case kTypeClasseur: return 0;
    case kTypeRequete: return afficherSousDossiers ? 1 : 2;
    default: return 1;
    }
}

int champDeColonne(int typeListe, int colonne, const CRequete* requete)
{
    if (typeListe == 0 || colonne <= 0)
        return colonne < 0 ? 0 : colonne;
    const bool stockes[] = {requete && requete->stockerTaille, requete && requete->stockerCree,
                            requete && requete->stockerModifie, requete && requete->stockerAccede,
                            requete && requete->stockerAttributs};
    int c = 1;
    for (int champ = 1; champ <= 5; ++champ) {
        if (!stockes[champ - 1])
            continue;
        if (c == colonne)
            return champ;
        ++c;
    }
    return 6;
}

int comparerFichiers(const CFichier& a, const CFichier& b, int champ)
{
    switch (champ) {
    case 0: return comparerTextes(a.nom(), b.nom());
    case 1: return trois(a.taille, b.taille);
    case 2: return comparer3(a.cree(), b.cree());
    case 3: return comparer3(a.modifie(), b.modifie());
    case 4: return comparer3(a.accede(), b.accede());
    case 5: return comparerTextes(a.lettres, b.lettres);
    case 6: return comparerTextes(dossierDuFichier(a), dossierDuFichier(b));
    case 7: return trois(a.marque, b.marque);
    }
    return 0;
}

int comparerLignes(int typeListe, int cle, CElement* a, CElement* b)
{
    if (!a || !b || cle == 0)
        return 0;
    if (cle < 0) {
        std::swap(a, b);
        cle = -cle;
    }
    const int champ = cle - 1;
    if (typeListe == 0) {
        const CRequete* qa = a->requete();
        const CRequete* qb = b->requete();
        return qa && qb ? comparerRequetes(*qa, *qb, champ) : 0;
    }
    if (typeListe == 1) {
        const CFichier* fa = a->commeFichier();
        const CFichier* fb = b->commeFichier();
        return fa && fb ? comparerFichiers(*fa, *fb, champ) : 0;
    }
    return 0;
}

STriListe triApresClic(STriListe tri, std::optional<int> colonne, std::optional<bool> sensForce)
{
    if (sensForce)
        tri.croissant = *sensForce;
    else if (colonne && *colonne == tri.colonne)
        tri.croissant = !tri.croissant;
    if (colonne)
        tri.colonne = *colonne;
    return tri;
}

std::vector<int> ordreTri(const std::vector<CElement*>& lignes, int typeListe, int champ, bool croissant)
{
    if (typeListe == 1)
        if (auto ordre = ordreLignesFichiers(lignes, champ, croissant))
            return std::move(*ordre);
    std::vector<int> ordre(lignes.size());
    std::iota(ordre.begin(), ordre.end(), 0);
    const int cle = croissant ? champ + 1 : -(champ + 1);
    std::stable_sort(ordre.begin(), ordre.end(), [&](int i, int j) {
        return comparerLignes(typeListe, cle, lignes[i], lignes[j]) < 0;
    });
    return ordre;
}

bool estPermutation(const int* ordre, int n)
{
    std::vector<bool> vu(static_cast<std::size_t>(std::max(n, 0)), false);
    for (int i = 0; i < n; ++i) {
        if (ordre[i] < 0 || ordre[i] >= n || vu[static_cast<std::size_t>(ordre[i])])
            return false;
        vu[static_cast<std::size_t>(ordre[i])] = true;
    }
    return true;
}
