// Time of the comparison of two queries of a million file entries each, held in memory,
// by name and size: the second is a copy of the first where some files were renamed,
// resized, removed or added, as after a later capture of the same disk. Beside it, one
// plain walk of both trees reading the same values, the floor of any comparison.
// Usage: bench_comparaison [fichiers] [tours]

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/Alea.h"
#include "bench/CopieModifiee.h"
#include "bench/CRequeteSynthetique.h"
#include "bench/Mesure.h"
#include "model/CResultatsComparaison.h"
#include "compare/Comparaison.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/PliCasse.h"
#include "platform/linux/CPlateformeLinux.h"

namespace {

constexpr double kObjectifSecondes = 0.8;

// The comparison results window reduced to its rows. Sorting belongs to the window and
// is left out of the measure.
class CFenetreMemoire : public CResultatsComparaison {
public:
    void vider() override { lignes.clear(); }
    void ajouterLigne(CFichier* fichier, std::int32_t) override { lignes.push_back(fichier); }
    void definirPaire(CRequete*, CRequete*) override {}
    void retirerFichier(const CFichier*) override {}

    std::vector<CFichier*> lignes;
};

// What any comparison must at least do: reach every file of both trees and read the
// compared values.
std::uint64_t parcourir(const CDossier& d)
{
    std::uint64_t somme = 0;
    for (const CFichier* f : d.fichiers())
        somme += pli::hacherSansCasse(f->nom()) ^ f->taille;
    for (const CDossier* s : d.sousDossiers())
        somme += parcourir(*s);
    return somme;
}

void compterStatuts(const std::vector<CFichier*>& lignes)
{
    std::size_t nombres[3] = {};
    for (const CFichier* f : lignes)
        ++nombres[f->marque];
    afficherLibelle("");
    std::printf("%zu lignes : %zu seulement dans A, %zu seulement dans B, %zu dans les deux\n", lignes.size(),
                nombres[0], nombres[1], nombres[2]);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t fichiers = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 7;
    if (fichiers == 0 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_comparaison [fichiers > 0] [tours > 0]\n");
        return 2;
    }
    CPlateformeLinux linux;
    definirPlateforme(&linux);

    std::printf("Construction de deux requêtes de %zu fichiers en mémoire...\n", fichiers);
    CRequeteSynthetique synthese(fichiers, 20030310);
    CRequete& a = synthese.requete();
    const std::unique_ptr<CRequete> b = a.copier();
    CAlea alea(19991231);
    modifierCopie(*b, alea);

    CFenetreMemoire fenetre;
    fenetre.lignes.reserve(2 * fichiers + fichiers / 10);

    const SOptionsComparaison nomTaille{.nom = true, .taille = true};
    comparerRequetes(a, *b, nomTaille, &fenetre);  // warm-up: pages touched once

    std::printf("\ncomparerRequetes(A, B), %d tours :\n", tours);
    const auto secondes = mesurerTours(tours, [] {}, [&] { comparerRequetes(a, *b, nomTaille, &fenetre); });
    afficherLigne("nom + taille", secondes, 2.0 * double(fichiers));
    compterStatuts(fenetre.lignes);
    afficherLigne("sans option", mesurerTours(tours, [] {}, [&] { comparerRequetes(a, *b, {}, &fenetre); }),
                  2.0 * double(fichiers));
    std::uint64_t temoin = 0;
    afficherLigne("  repère : un parcours des deux arbres",
                  mesurerTours(tours, [] {}, [&] { temoin += parcourir(a) + parcourir(*b); }),
                  2.0 * double(fichiers));

    const double med = mediane(secondes);
    std::printf("\nobjectif nom + taille <= %.1f s : %.3f s, %s (témoin %llu)\n", kObjectifSecondes, med,
                med <= kObjectifSecondes ? "atteint" : "MANQUÉ", static_cast<unsigned long long>(temoin % 10));

    return 0;
}
