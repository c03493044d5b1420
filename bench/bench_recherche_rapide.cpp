// The quick search over one query of a million files: the index built (against the
// query's construction), its bytes per file, and the words of a typing session
// searched one keystroke after another.
// Usage: bench_recherche_rapide [fichiers] [tours]

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/CRequeteSynthetique.h"
#include "bench/Mesure.h"
#include "platform/linux/CPlateformeLinux.h"
#include "search/IndexRapide.h"

int main(int argc, char** argv)
{
    const std::size_t fichiers = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 7;
    if (fichiers == 0 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_recherche_rapide [fichiers > 0] [tours > 0]\n");
        return 2;
    }
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    std::printf("Construction de %zu fichiers en mémoire...\n", fichiers);
    CRequeteSynthetique synthese(fichiers, 20261208);
    std::vector<double> construire;
    for (int i = 0; i < tours; ++i)
        construire.push_back(chronometrer([&] { CIndexRapide index(synthese.requete()); }));
    const CIndexRapide index(synthese.requete());
    std::printf("index construit                  médiane %.3f s, %.1f octets par fichier\n", mediane(construire),
                double(index.octets()) / double(index.nombreFichiers()));
    std::atomic<bool> arret{false};
    const std::string saisie = "montreal rapport";
    std::string tape;
    for (char c : saisie) {
        tape += c;
        std::vector<double> temps;
        std::size_t trouves = 0;
        for (int i = 0; i < tours; ++i)
            temps.push_back(chronometrer([&] { trouves = index.chercher(analyserMots(tape), arret).size(); }));
        std::printf("« %-18s »  médiane %6.1f ms  %zu trouvés\n", tape.c_str(), mediane(temps) * 1000, trouves);
    }
    return 0;
}
