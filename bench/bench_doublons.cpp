// Time of the duplicate pass over a million file entries held in memory, by name and
// by name + size + modification, beside a plain pairwise pass timed on a sample and
// scaled up. Usage: bench_doublons [fichiers] [échantillon] [tours]

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/CRequeteSynthetique.h"
#include "bench/Mesure.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "platform/linux/CPlateformeLinux.h"
#include "model/CCriteres.h"
#include "search/Doublons.h"

namespace {

constexpr double kObjectifSecondes = 0.7;

struct SCas {
    const char* libelle;
    CCriteres criteres;
};

std::vector<SCas> casMesures()
{
    CCriteres nom = CCriteres::pourRecherche();
    nom.portee = kPorteeObjetSelectionne;
    nom.doublons = 1;
    nom.memeNom = 1;
    CCriteres complet = nom;
    complet.memeTaille = 1;
    complet.memeModification = 1;
    return {{"nom", nom}, {"nom + taille + modification", complet}};
}

// The straightforward pass: every candidate compared with the others until a twin turns up.
void passePaireAPaire(const std::vector<CFichier*>& l, const CCriteres& c)
{
    std::vector<char> aJumeau(l.size(), 0);
    for (std::size_t i = 0; i < l.size(); ++i) {
        for (std::size_t j = 0; j < l.size() && !aJumeau[i]; ++j) {
            if (i == j)
                continue;
            const CFichier& a = *l[i];
            const CFichier& b = *l[j];
            aJumeau[i] = (!c.memeNom || a.nom() == b.nom()) && (!c.memeTaille || a.taille == b.taille) &&
                         (!c.memeModification || a.modifie() == b.modifie());
        }
    }
    for (std::size_t i = 0; i < l.size(); ++i)
        l[i]->marque = aJumeau[i];
}

std::size_t marques(const std::vector<CFichier*>& liste)
{
    std::size_t n = 0;
    for (const CFichier* f : liste)
        n += f->marque != 0;
    return n;
}

std::vector<int> copieDesMarques(const CListeElements<CFichier>& liste)
{
    std::vector<int> r;
    for (const CFichier* f : liste)
        r.push_back(f->marque);
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t fichiers = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const std::size_t echantillon = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20000;
    const int tours = argc > 3 ? std::atoi(argv[3]) : 5;
    if (fichiers == 0 || echantillon == 0 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_doublons [fichiers > 0] [échantillon > 0] [tours > 0]\n");
        return 2;
    }
    CPlateformeLinux plateformeLinux;
    definirPlateforme(&plateformeLinux);
    const auto cas = casMesures();

    std::printf("Construction de %zu fichiers en mémoire...\n", fichiers);
    CRequeteSynthetique synthese(fichiers, 20261207);
    CListeElements<CFichier> cellules;
    synthese.requete().collecterFichiers(cellules);
    const std::vector<CFichier*> liste(cellules.begin(), cellules.end());

    std::printf("\npasseDoublons sur %zu fichiers, %d tours (les marques remises à 1 avant chaque tour) :\n",
                fichiers, tours);
    bool objectifAtteint = true;
    for (const SCas& k : cas) {
        const auto secondes =
            mesurerTours(tours, [&] { synthese.requete().marquerTousTrouves(); }, [&] { passeDoublons(liste, k.criteres); });
        afficherLigne(k.libelle, secondes, double(fichiers));
        afficherLibelle("");
        std::printf("%zu fichiers ont un jumeau\n", marques(liste));
        objectifAtteint = objectifAtteint && mediane(secondes) < kObjectifSecondes;
    }
    std::printf("objectif < %.1f s chacun : %s\n", kObjectifSecondes, objectifAtteint ? "atteint" : "MANQUÉ");

    std::printf("\nPasse paire à paire sur un échantillon de %zu fichiers, extrapolée (n²) à %zu :\n", echantillon,
                fichiers);
    CRequeteSynthetique petit(echantillon, 20261207);
    CListeElements<CFichier> petiteListe;
    petit.requete().collecterFichiers(petiteListe);
    std::vector<CFichier*> vecteur(petiteListe.begin(), petiteListe.end());
    const double facteur = (double(fichiers) / double(echantillon)) * (double(fichiers) / double(echantillon));
    for (const SCas& k : cas) {
        petit.requete().marquerTousTrouves();
        passeDoublons(vecteur, k.criteres);
        const auto attendu = copieDesMarques(petiteListe);
        petit.requete().marquerTousTrouves();
        const double s = chronometrer([&] { passePaireAPaire(vecteur, k.criteres); });
        afficherLibelle(k.libelle);
        std::printf("%8.3f s mesurées -> environ %.0f s (%.1f h) pour %zu ; mêmes marques que passeDoublons : %s\n", s,
                    s * facteur, s * facteur / 3600, fichiers, copieDesMarques(petiteListe) == attendu ? "oui" : "NON");
    }
    return 0;
}
