// Our capture on several threads. First on the local 200 000-file tree of bench_capture
// (page cache warm): 2 threads, 1 thread and the platform's choice, beside the
// one-thread minimal walk. Then on a smaller tree seen through miroir_lent, a FUSE
// mirror that waits in each lookup, getattr and readdir as a network disk does: the
// platform's choice and 1 thread, beside find on the same mount. Each part checks that
// every thread count gives the same snapshot. Contenders run in turns, the order
// changing each round, so that the noise of a shared machine hits them all.
// Usage: bench_capture_fils [dossier] [tours] [latence-us] [fichiers-fuse]

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "bench/ArbreDisque.h"
#include "bench/MesureCapture.h"
#include "bench/MontageMiroir.h"
#include "platform/linux/CPlateformeLinux.h"

#ifndef NORVANEL_MIROIR_LENT
#define NORVANEL_MIROIR_LENT ""
#endif

namespace {

constexpr double kObjectifLocal = 0.65;  // 2 threads / one-thread walk, at most
constexpr double kObjectifFuse = 4;      // 1 thread / ours, and find / ours, at least

struct SConcurrent {
    const char* nom;
    std::function<SMesure()> mesurer;
    std::vector<double> mur, cpu;
};

std::string chargeMachine()
{
    std::ifstream f("/proc/loadavg");
    std::string charge;
    std::getline(f, charge);
    return charge;
}

// The rounds, the order turning from one to the next; false when a run failed.
bool jouerTours(std::vector<SConcurrent>& concurrents, int tours)
{
    const std::size_t n = concurrents.size();
    for (int t = 0; t < tours; ++t) {
        std::vector<SMesure> m(n);
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t qui = (std::size_t(t) + k) % n;
            m[qui] = concurrents[qui].mesurer();
            if (std::isnan(m[qui].mur)) {
                std::fprintf(stderr, "bench_capture_fils : « %s » a échoué au tour %d\n", concurrents[qui].nom, t + 1);
                return false;
            }
        }
        std::printf("tour %d :", t + 1);
        for (std::size_t qui = 0; qui < n; ++qui) {
            concurrents[qui].mur.push_back(m[qui].mur);
            concurrents[qui].cpu.push_back(m[qui].cpu);
            std::printf("%s %.3f s", qui ? "," : "", m[qui].mur);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return true;
}

// Median of the per-round ratios a / b, wall-clock.
double medianeRatios(const SConcurrent& a, const SConcurrent& b)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < a.mur.size(); ++i)
        ratios.push_back(a.mur[i] / b.mur[i]);
    return mediane(ratios);
}

void afficherMedianes(const std::vector<SConcurrent>& concurrents, std::size_t fichiers)
{
    for (int genre = 0; genre < 2; ++genre) {
        std::printf("%s, ns par fichier (total / %zu fichiers) :\n",
                    genre == 0 ? "temps réel" : "temps CPU (utilisateur + système)", fichiers);
        for (const SConcurrent& c : concurrents)
            afficherLigne(c.nom, genre == 0 ? c.mur : c.cpu, double(fichiers));
    }
}

void afficherControle(const char* quoi, const std::string& a, const std::string& b)
{
    std::printf("contrôle : %s %s\n", quoi, a == b ? "identiques" : "DIFFÉRENTS");
    if (a == b)
        return;
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const std::size_t debut = a.rfind('\n', i) == std::string::npos ? 0 : a.rfind('\n', i) + 1;
    std::printf("  première différence : « %s » / « %s »\n", a.substr(debut, a.find('\n', i) - debut).c_str(),
                b.substr(debut, b.find('\n', i) - debut).c_str());
}

bool partieLocale(const std::string& dossier, int tours, const CPlateformeLinux& plateforme)
{
    const SArbreDisque arbre = preparerArbre(dossier, 1);
    if (!arbre.erreur.empty()) {
        std::fprintf(stderr, "bench_capture_fils : %s\n", arbre.erreur.c_str());
        return false;
    }
    const int filsAuto = plateforme.filsCapture(arbre.racine);
    std::printf("== disque local : %s (graine 1, %zu fichiers, %zu dossiers, %s)\n", arbre.racine.c_str(),
                arbre.fichiers, arbre.dossiers, arbre.genere ? "généré" : "réutilisé");
    std::printf("choix automatique de la plateforme : %d fils ; cache de pages chaud : un tour d'échauffement\n"
                "non compté, puis %d tours ; charge au début : %s\n",
                filsAuto, tours, chargeMachine().c_str());

    std::size_t vus[4] = {};
    std::string empreintes[3];
    mesurerCapture(arbre.racine, 1, vus[0], &empreintes[0]);
    mesurerCapture(arbre.racine, 2, vus[1], &empreintes[1]);
    mesurerCapture(arbre.racine, 0, vus[2], &empreintes[2]);
    mesurerPlancher(arbre.racine, vus[3]);
    for (const std::size_t v : vus)
        if (v != arbre.fichiers)
            std::printf("ATTENTION : %zu fichiers vus au lieu de %zu\n", v, arbre.fichiers);
    afficherControle("capture à 2 fils et à 1 fil :", empreintes[1], empreintes[0]);
    afficherControle("capture automatique et à 1 fil :", empreintes[2], empreintes[0]);

    std::size_t fichiers = 0;
    std::vector<SConcurrent> c = {
        {"notre capture, 2 fils", [&] { return mesurerCapture(arbre.racine, 2, fichiers); }, {}, {}},
        {"notre capture, 1 fil", [&] { return mesurerCapture(arbre.racine, 1, fichiers); }, {}, {}},
        {"notre capture, choix automatique", [&] { return mesurerCapture(arbre.racine, 0, fichiers); }, {}, {}},
        {"plancher (walk C++ minimal, 1 fil)", [&] { return mesurerPlancher(arbre.racine, fichiers); }, {}, {}},
    };
    std::printf("ordre des colonnes : 2 fils, 1 fil, automatique, plancher\n");
    if (!jouerTours(c, tours))
        return false;
    std::printf("\n");
    afficherMedianes(c, arbre.fichiers);
    const double r2 = medianeRatios(c[0], c[3]);
    std::printf("médiane des ratios par tour, temps réel : 2 fils/plancher %.2f, 1 fil/plancher %.2f, "
                "automatique/plancher %.2f\n",
                r2, medianeRatios(c[1], c[3]), medianeRatios(c[2], c[3]));
    std::printf("objectif : 2 fils/plancher <= %.2f %s ; charge à la fin : %s\n\n", kObjectifLocal,
                r2 <= kObjectifLocal ? "atteint" : "MANQUÉ", chargeMachine().c_str());
    return true;
}

// Median time of a stat through the mirror of the first entry of `dossier`: one lookup
// and one getattr.
double microsecondesParStat(const std::string& dossier)
{
    std::string chemin;
    if (DIR* flux = opendir(dossier.c_str())) {
        while (const dirent* d = readdir(flux))
            if (std::string nom = d->d_name; nom != "." && nom != "..") {
                chemin = dossier + "/" + nom;
                break;
            }
        closedir(flux);
    }
    if (chemin.empty())
        return NAN;
    std::vector<double> secondes;
    for (int i = 0; i < 200; ++i) {
        struct stat etat {};
        secondes.push_back(chronometrer([&] { lstat(chemin.c_str(), &etat); }));
    }
    return mediane(secondes) * 1e6;
}

bool partieFuse(const std::string& dossier, int tours, unsigned latenceUs, std::size_t nombre,
                const CPlateformeLinux& plateforme)
{
    const SArbreDisque arbre = preparerArbre(dossier + "/fuse", 1, nombre, nombre / 10);
    if (!arbre.erreur.empty()) {
        std::fprintf(stderr, "bench_capture_fils : %s\n", arbre.erreur.c_str());
        return false;
    }
    const std::string point = dossier + "/montage";
    std::printf("== à travers miroir_lent (FUSE), %u µs de latence par lookup, getattr et readdir\n", latenceUs);
    std::printf("arbre : %s (graine 1, %zu fichiers, %zu dossiers, %s), monté sur %s\n", arbre.racine.c_str(),
                arbre.fichiers, arbre.dossiers, arbre.genere ? "généré" : "réutilisé", point.c_str());
    if (arbre.fichiers < 200000)
        std::printf("arbre réduit à %zu fichiers : à cette latence, 200 000 fichiers prendraient plusieurs minutes\n"
                    "par passage à 1 fil ; même rapport dossiers/fichiers et même profondeur\n",
                    arbre.fichiers);
    CMontageMiroir montage(NORVANEL_MIROIR_LENT, arbre.racine, point, latenceUs);
    if (!montage.monte()) {
        std::printf("PARTIE FUSE IGNORÉE : %s\n", montage.erreur().c_str());
        return true;
    }
    const int filsAuto = plateforme.filsCapture(point);
    std::printf("choix automatique de la plateforme : %d fils ; un lstat à travers le miroir : %.0f µs (médiane)\n",
                filsAuto, microsecondesParStat(point));
    std::printf("un tour d'échauffement non compté, puis %d tours ; charge au début : %s\n", tours,
                chargeMachine().c_str());

    std::size_t vus[4] = {};
    std::string empreintes[4];
    mesurerCapture(point, 0, vus[0], &empreintes[0]);
    mesurerCapture(point, 1, vus[1], &empreintes[1]);
    mesurerCapture(point, 0, vus[2], &empreintes[2], false);
    mesurerCapture(arbre.racine, 1, vus[3], &empreintes[3], false);
    mesurerFind(point);
    for (const std::size_t v : vus)
        if (v != arbre.fichiers)
            std::printf("ATTENTION : %zu fichiers vus au lieu de %zu\n", v, arbre.fichiers);
    afficherControle("capture à travers FUSE, automatique et à 1 fil :", empreintes[0], empreintes[1]);
    afficherControle("capture à travers FUSE et capture de la source (sans date de création) :", empreintes[2],
                     empreintes[3]);

    std::size_t fichiers = 0;
    std::vector<SConcurrent> c = {
        {"notre capture, choix automatique", [&] { return mesurerCapture(point, 0, fichiers); }, {}, {}},
        {"notre capture, 1 fil", [&] { return mesurerCapture(point, 1, fichiers); }, {}, {}},
        {"find -printf", [&] { return mesurerFind(point); }, {}, {}},
    };
    std::printf("ordre des colonnes : automatique, 1 fil, find\n");
    if (!jouerTours(c, tours))
        return false;
    std::printf("\n");
    afficherMedianes(c, arbre.fichiers);
    const double rUn = medianeRatios(c[1], c[0]), rFind = medianeRatios(c[2], c[0]);
    std::printf("médiane des ratios par tour, temps réel : 1 fil/automatique %.2f, find/automatique %.2f\n", rUn,
                rFind);
    std::printf("objectifs : 1 fil/automatique >= %.0f %s ; find/automatique >= %.0f %s ; charge à la fin : %s\n",
                kObjectifFuse, rUn >= kObjectifFuse ? "atteint" : "MANQUÉ", kObjectifFuse,
                rFind >= kObjectifFuse ? "atteint" : "MANQUÉ", chargeMachine().c_str());
    if (!montage.demonter())
        std::printf("ATTENTION : %s n'a pas pu être démonté\n", point.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string dossier = argc > 1 ? argv[1] : "/tmp/arbre-bench";
    const int tours = argc > 2 ? std::atoi(argv[2]) : 5;
    const long latence = argc > 3 ? std::atol(argv[3]) : 200;
    const long long nombre = argc > 4 ? std::atoll(argv[4]) : 10000;
    if (tours <= 0 || latence < 0 || latence > 10000000 || nombre < 10) {
        std::fprintf(stderr, "usage : bench_capture_fils [dossier] [tours > 0] [latence-us, 0 à 10000000] "
                             "[fichiers-fuse >= 10]\n");
        return 2;
    }
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (!partieLocale(dossier, tours, plateformeLinux))
        return 1;
    return partieFuse(dossier, tours, unsigned(latence), std::size_t(nombre), plateformeLinux) ? 0 : 1;
}
