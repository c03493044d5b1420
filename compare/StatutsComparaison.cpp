#include "compare/StatutsComparaison.h"

#include <algorithm>
#include <cstddef>

#include "compare/Comparaison.h"
#include "model/CFichier.h"
#include "model/Pouls.h"

namespace {

bool deLaSeconde(const SEntreeComparaison& e) { return (e.cle & 1) != 0; }

bool avant(const SEntreeComparaison& x, const SEntreeComparaison& y) { return x.cle < y.cle; }

// Key order in two passes over the entries: a distribution on the top 16 bits of the
// key (hashes spread evenly), then a sort of each small bucket.
void trierParCle(std::vector<SEntreeComparaison>& entrees)
{
    constexpr int kBits = 16;
    std::vector<std::size_t> debuts((std::size_t(1) << kBits) + 1, 0);
    for (const SEntreeComparaison& e : entrees)
        ++debuts[(e.cle >> (64 - kBits)) + 1];
    for (std::size_t i = 1; i < debuts.size(); ++i)
        debuts[i] += debuts[i - 1];
    std::vector<SEntreeComparaison> tries(entrees.size());
    std::vector<std::size_t> positions(debuts.begin(), debuts.end() - 1);
    for (const SEntreeComparaison& e : entrees)
        tries[positions[e.cle >> (64 - kBits)]++] = e;
    for (std::size_t i = 0; i + 1 < debuts.size(); ++i)
        std::sort(tries.begin() + std::ptrdiff_t(debuts[i]), tries.begin() + std::ptrdiff_t(debuts[i + 1]), avant);
    entrees.swap(tries);
}

// The files ahead are fetched from memory while the current ones are compared: the
// two lines of a far entry (its record and the name that follows, whose addresses need
// no load), then the name of a nearer one, in case it is kept aside.
void precharger(const std::vector<SEntreeComparaison>& entrees, std::size_t k)
{
    constexpr std::size_t kLoin = 16, kPres = 8;
    if (k + kLoin < entrees.size()) {
        const CFichier* f = entrees[k + kLoin].fichier;
        // The name follows the record: both lines of the entry.
        __builtin_prefetch(&f->taille);
        __builtin_prefetch(reinterpret_cast<const char*>(f) + 64);
    }
    if (k + kPres < entrees.size())
        __builtin_prefetch(entrees[k + kPres].fichier->nom().data());
}

void marquerSeuls(std::vector<SEntreeComparaison>::iterator debut, std::vector<SEntreeComparaison>::iterator fin,
                  SDecompteComparaison& decompte)
{
    for (auto e = debut; e != fin; ++e) {
        const bool seconde = deLaSeconde(*e);
        e->fichier->marque = seconde ? kStatutSeulDansSeconde : kStatutSeulDansPremiere;
        ++(seconde ? decompte.seulsDansSeconde : decompte.seulsDansPremiere);
    }
}

// One run of equal hashes. Equal hashes almost always mean counterparts, but not
// surely: the run splits into classes of counterparts, one representative at a time,
// until what is left belongs to one query only. A class shared by both queries is
// status 2 throughout.
void deciderRun(std::vector<SEntreeComparaison>::iterator debut, std::vector<SEntreeComparaison>::iterator fin,
                const SOptionsComparaison& options, SDecompteComparaison& decompte)
{
    auto desDeuxRequetes = [](auto de, auto a) {
        return std::any_of(de, a, deLaSeconde) &&
               std::any_of(de, a, [](const SEntreeComparaison& e) { return !deLaSeconde(e); });
    };
    while (desDeuxRequetes(debut, fin)) {
        const CFichier& representant = *debut->fichier;
        const auto finClasse = std::partition(debut + 1, fin, [&](const SEntreeComparaison& e) {
            return sontContreparties(representant, *e.fichier, options);
        });
        if (desDeuxRequetes(debut, finClasse)) {
            for (auto e = debut; e != finClasse; ++e) {
                e->fichier->marque = kStatutDansLesDeux;
                decompte.premiereDansLesDeux += !deLaSeconde(*e);
            }
        } else {
            marquerSeuls(debut, finClasse, decompte);
        }
        debut = finClasse;
    }
    marquerSeuls(debut, fin, decompte);
}

} // namespace

SDecompteComparaison deciderStatuts(std::vector<SEntreeComparaison>& entrees, const SOptionsComparaison& options,
                                    SAvancement* avancement)
{
    SDecompteComparaison decompte;
    CPouls pouls(avancement);
    trierParCle(entrees);
    for (std::size_t debut = 0; debut < entrees.size();) {
        pouls();
        precharger(entrees, debut);
        std::size_t fin = debut + 1;
        while (fin < entrees.size() && (entrees[fin].cle >> 1) == (entrees[debut].cle >> 1))
            ++fin;
        deciderRun(entrees.begin() + std::ptrdiff_t(debut), entrees.begin() + std::ptrdiff_t(fin), options,
                   decompte);
        debut = fin;
    }
    return decompte;
}

std::string texteStatut(std::int32_t statut, std::string_view premiere, std::string_view seconde)
{
    switch (statut) {
    case kStatutSeulDansPremiere:
        return "Seulement dans « " + std::string(premiere) + " »";
    case kStatutSeulDansSeconde:
        return "Seulement dans « " + std::string(seconde) + " »";
    case kStatutDansLesDeux:
        return "Dans les deux";
    default:
        return std::to_string(statut);
    }
}
