// Time of a search over one query of a million file entries held in memory: a name
// pattern, then a modification date range. Usage: bench_recherche [fichiers] [tours]

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/CRequeteSynthetique.h"
#include "bench/CResultatsMemoire.h"
#include "bench/Mesure.h"
#include "model/CRequete.h"
#include "model/CriteresFichier.h"
#include "platform/linux/CPlateformeLinux.h"
#include "search/Recherche.h"

namespace {

constexpr double kObjectifNs = 150;

// Median seconds of `tours` searches with the criteria as they stand.
double mesurerRecherche(const char* libelle, const CCriteres& c, int tours, std::size_t fichiers, CResultatsMemoire& resultats)
{
    const auto secondes = mesurerTours(tours, [] {}, [&] { executerRecherche(c, {}, &resultats); });
    afficherLigne(libelle, secondes, double(fichiers));
    afficherLibelle("");
    std::printf("%zu trouvés sur %zu\n", resultats.lignes.size(), fichiers);
    return mediane(secondes) * 1e9 / double(fichiers);
}

// What one walk costs: the same file test, the found files appended to a vector, no
// other pass and no list cell. The bound a search could come down to.
void passeUnique(const CDossier& d, const CCriteres& c, const CRequete& q, std::vector<CFichier*>& trouves)
{
    for (CFichier* f : d.fichiers())
        if (testerFichier(*f, c, q))
            trouves.push_back(f);
    for (const CDossier* s : d.sousDossiers())
        passeUnique(*s, c, q, trouves);
}

// The steps of one search timed one by one, then the single walk, to show where the
// time goes.
void decomposer(CRequete& q, const CCriteres& c, std::size_t fichiers, int tours, CResultatsMemoire& resultats)
{
    CDossier& d = q;
    const double n = double(fichiers);
    std::vector<CFichier*> trouves;
    trouves.reserve(fichiers);
    afficherLigne("  1. marquerTousTrouves", mesurerTours(tours, [] {}, [&] { d.marquerTousTrouves(); }), n);
    afficherLigne("  2. passeCorrespondance", mesurerTours(tours, [] {}, [&] { passeCorrespondance(d, c); }), n);
    afficherLigne("  3. etapeResultatsRequete",
                  mesurerTours(tours, [&] { resultats.vider(); }, [&] { etapeResultatsRequete(d, c, &resultats); }), n);
    afficherLigne("  repère : une seule passe testerFichier",
                  mesurerTours(tours, [&] { trouves.clear(); }, [&] { passeUnique(d, c, q, trouves); }), n);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t fichiers = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 7;
    if (fichiers == 0 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_recherche [fichiers > 0] [tours > 0]\n");
        return 2;
    }
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);

    std::printf("Construction de %zu fichiers en mémoire...\n", fichiers);
    CRequeteSynthetique synthese(fichiers, 20261207);
    std::printf("longueur moyenne des chemins : %.1f octets\n", synthese.longueurMoyenneChemins());

    CResultatsMemoire resultats;
    resultats.lignes.reserve(fichiers);
    CCriteres c = CCriteres::pourRecherche();
    c.cible = static_cast<CDossier*>(&synthese.requete());
    executerRecherche(c, {}, &resultats);  // warm-up: pages touched once

    std::printf("\nexecuterRecherche(), cible = la requête, %d tours :\n", tours);
    c.motif = "*.doc;*.txt";
    const double nsMotif = mesurerRecherche("(a) motif \"*.doc;*.txt\"", c, tours, fichiers, resultats);
    decomposer(synthese.requete(), c, fichiers, tours, resultats);

    c.motif.clear();
    c.modifie.actif = true;
    c.modifie.du = CDate{1, 1, 2010};
    c.modifie.au = CDate{31, 12, 2014};
    const double nsDates = mesurerRecherche("(b) modifié du 01/01/2010 au 31/12/2014", c, tours, fichiers, resultats);
    decomposer(synthese.requete(), c, fichiers, tours, resultats);

    std::printf("\nobjectif <= %.0f ns/fichier : (a) %s, (b) %s\n", kObjectifNs,
                nsMotif <= kObjectifNs ? "atteint" : "MANQUÉ", nsDates <= kObjectifNs ? "atteint" : "MANQUÉ");
    return 0;
}
