#pragma once
// Timing helpers shared by the benchmarks: wall-clock seconds of one call, and medians.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

// Wall-clock seconds taken by `travail()`.
template <typename F>
double chronometrer(F&& travail)
{
    const auto debut = std::chrono::steady_clock::now();
    travail();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

// CPU seconds (user + system) used so far by this process, every thread included.
inline double secondesCpuProcessus()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Wall-clock and CPU (user + system) seconds of one run; NaN when the run failed.
struct SMesure {
    double mur = NAN;
    double cpu = NAN;
};

template <typename F>
SMesure mesurerEnProcessus(F&& travail)
{
    const double cpu = secondesCpuProcessus();
    SMesure m;
    m.mur = chronometrer(travail);
    m.cpu = secondesCpuProcessus() - cpu;
    return m;
}

inline double mediane(std::vector<double> valeurs)
{
    if (valeurs.empty())
        return 0;
    std::sort(valeurs.begin(), valeurs.end());
    const std::size_t m = valeurs.size() / 2;
    return valeurs.size() % 2 ? valeurs[m] : (valeurs[m - 1] + valeurs[m]) / 2;
}

inline double minimum(const std::vector<double>& valeurs)
{
    return valeurs.empty() ? 0 : *std::min_element(valeurs.begin(), valeurs.end());
}

// Runs `travail` `tours` times (after `preparer`, which is not timed) and returns the
// seconds of each run.
template <typename P, typename F>
std::vector<double> mesurerTours(int tours, P&& preparer, F&& travail)
{
    std::vector<double> secondes;
    for (int i = 0; i < tours; ++i) {
        preparer();
        secondes.push_back(chronometrer(travail));
    }
    return secondes;
}

// Prints `libelle` padded to `largeur` characters (UTF-8 aware, so accents line up).
inline void afficherLibelle(const char* libelle, int largeur = 46)
{
    int caracteres = 0;
    for (const char* p = libelle; *p; ++p)
        caracteres += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
    std::printf("%s%*s", libelle, caracteres < largeur ? largeur - caracteres : 0, "");
}

// One line: label, median and best seconds, and nanoseconds per item at the median.
inline void afficherLigne(const char* libelle, const std::vector<double>& secondes, double elements)
{
    const double med = mediane(secondes);
    afficherLibelle(libelle);
    std::printf("médiane %8.3f s  (meilleur %8.3f s)  %9.1f ns/fichier\n", med, minimum(secondes),
                med * 1e9 / elements);
}
