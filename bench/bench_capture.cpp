// Time of our capture of a 200 000-file tree, beside a minimal walk of the same tree
// and beside find, run in turns so that the noise of a shared machine hits all three.
// Usage: bench_capture [dossier] [graine] [tours]

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/ArbreDisque.h"
#include "bench/MesureCapture.h"
#include "platform/linux/CPlateformeLinux.h"

namespace {

constexpr double kObjectifPlancher = 1.3;

} // namespace

int main(int argc, char** argv)
{
    const std::string dossier = argc > 1 ? argv[1] : "/tmp/arbre-bench";
    const std::uint64_t graine = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    const int tours = argc > 3 ? std::atoi(argv[3]) : 7;
    if (tours <= 0) {
        std::fprintf(stderr, "usage : bench_capture [dossier] [graine] [tours > 0]\n");
        return 2;
    }
    const SArbreDisque arbre = preparerArbre(dossier, graine);
    if (!arbre.erreur.empty()) {
        std::fprintf(stderr, "bench_capture : %s\n", arbre.erreur.c_str());
        return 1;
    }
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);

    std::printf("arbre : %s (graine %llu, %zu fichiers, %zu dossiers, %s)\n", arbre.racine.c_str(),
                (unsigned long long)graine, arbre.fichiers, arbre.dossiers, arbre.genere ? "généré" : "réutilisé");
    std::printf("plancher : openat/fdopendir/readdir + statx(dossier, nom, AT_SYMLINK_NOFOLLOW,\n"
                "           STATX_BASIC_STATS|STATX_BTIME), chemin/tailles/mode/3 dates dans un std::vector,\n"
                "           localtime_r des trois dates COMPRIS (notre capture les convertit aussi)\n");
    std::printf("find : find RACINE -printf '%%p %%s %%T@ %%A@ %%C@ %%m\\n' > /dev/null (lancement compris)\n");
    std::printf("cache de pages chaud : un tour d'échauffement non compté, puis %d tours alternés\n\n", tours);

    std::size_t fichiersNous = 0, fichiersPlancher = 0;
    mesurerCapture(arbre.racine, 0, fichiersNous);
    mesurerPlancher(arbre.racine, fichiersPlancher);
    mesurerFind(arbre.racine);
    if (fichiersNous != arbre.fichiers || fichiersPlancher != arbre.fichiers)
        std::printf("ATTENTION : fichiers vus %zu (nous) / %zu (plancher), %zu attendus\n", fichiersNous,
                    fichiersPlancher, arbre.fichiers);

    // [contender][0 wall, 1 CPU]; ratios [0 ours/floor, 1 ours/find][0 wall, 1 CPU].
    std::vector<double> secondes[3][2], ratios[2][2];
    for (int t = 0; t < tours; ++t) {
        SMesure m[3];
        // The order turns from one round to the next, so no one always runs first.
        for (int k = 0; k < 3; ++k) {
            const int qui = (t + k) % 3;
            m[qui] = qui == 0 ? mesurerCapture(arbre.racine, 0, fichiersNous)
                   : qui == 1 ? mesurerPlancher(arbre.racine, fichiersPlancher)
                              : mesurerFind(arbre.racine);
        }
        if (std::isnan(m[0].mur) || std::isnan(m[1].mur) || std::isnan(m[2].mur)) {
            std::fprintf(stderr, "bench_capture : une mesure a échoué au tour %d\n", t + 1);
            return 1;
        }
        for (int qui = 0; qui < 3; ++qui) {
            secondes[qui][0].push_back(m[qui].mur);
            secondes[qui][1].push_back(m[qui].cpu);
        }
        ratios[0][0].push_back(m[0].mur / m[1].mur);
        ratios[0][1].push_back(m[0].cpu / m[1].cpu);
        ratios[1][0].push_back(m[0].mur / m[2].mur);
        ratios[1][1].push_back(m[0].cpu / m[2].cpu);
        std::printf("tour %d : nous %.3f s (cpu %.3f), plancher %.3f s (cpu %.3f), find %.3f s (cpu %.3f) ; "
                    "nous/plancher %.2f, nous/find %.2f\n",
                    t + 1, m[0].mur, m[0].cpu, m[1].mur, m[1].cpu, m[2].mur, m[2].cpu, m[0].mur / m[1].mur,
                    m[0].mur / m[2].mur);
    }

    const double n = double(arbre.fichiers);
    const char* noms[3] = {"notre capture (mettreAJourRequete)", "plancher (walk C++ minimal)", "find -printf"};
    for (int genre = 0; genre < 2; ++genre) {
        std::printf("\n%s, ns par fichier (total / %zu fichiers ; les dossiers sont dans le temps) :\n",
                    genre == 0 ? "temps réel" : "temps CPU (utilisateur + système)", arbre.fichiers);
        for (int qui = 0; qui < 3; ++qui)
            afficherLigne(noms[qui], secondes[qui][genre], n);
    }
    const double rPlancher = mediane(ratios[0][0]), rFind = mediane(ratios[1][0]);
    std::printf("\nmédiane des ratios par tour, temps réel : nous/plancher %.2f, nous/find %.2f\n", rPlancher, rFind);
    std::printf("médiane des ratios par tour, temps CPU  : nous/plancher %.2f, nous/find %.2f\n",
                mediane(ratios[0][1]), mediane(ratios[1][1]));
    std::printf("objectifs (temps réel) : nous/plancher <= %.1f %s ; nous/find <= 1 %s\n", kObjectifPlancher,
                rPlancher <= kObjectifPlancher ? "atteint" : "MANQUÉ", rFind <= 1 ? "atteint" : "MANQUÉ");
    return 0;
}
