// The search results window (offscreen) over a search that finds one million files:
// the search into a plain vector (the floor), the same search into the window with one
// viewport painted, the window filled alone from the found files, the same rows as a
// quick answer prepared in three steps (sort values read on the interface thread in
// slices, rows sorted off it, swapped in whole), a header click on
// each column (ascending, then descending), and the document destroyed while the
// window holds every row, against the same destruction with the window empty.
// Usage: bench_resultats [fichiers] [tours]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>

#include "bench/CRequeteSynthetique.h"
#include "bench/CResultatsMemoire.h"
#include "bench/Mesure.h"
#include "bench/MesureFenetreResultats.h"
#include "bench/ProgrammeHorsEcran.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/TriListe.h"
#include "search/Recherche.h"
#include "search/ui/CResultatsRechercheDlg.h"
#include "ui/CImagesApplication.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"

namespace {

constexpr double kObjectifRemplir = 0.3;
constexpr double kObjectifTri = 1.0;
constexpr std::uint64_t kGraine = 20261207;
constexpr double kObjectifPas = 0.05;
// The files read between two looks at the clock by the quick search.
constexpr std::size_t kFichiersParPas = 4096;

// The found files as a quick answer reaches the window: their sort values (by name)
// read on the interface thread, kFichiersParPas at a time; the rows sorted (off that
// thread in the program); the rows swapped in whole and one viewport painted. Prints
// each step; gives the longest time the interface thread is held at once.
double mesurerReponseRapide(CResultatsDlg& fenetre, const std::vector<CFichier*>& trouves, int tours)
{
    CModeleResultats& modele = fenetre.modele();
    const double n = static_cast<double>(trouves.size());
    std::vector<double> lire, pas, trier, echanger, peindre;
    for (int t = 0; t < tours; ++t) {
        modele.vider();
        laisserPeindre(fenetre);
        CClesTri cles(modele.champTri());
        cles.reserver(trouves.size());
        double total = 0, plusLong = 0;
        for (std::size_t lus = 0; lus < trouves.size(); lus += kFichiersParPas) {
            const double d = chronometrer(
                [&] { cles.lire(trouves.data() + lus, std::min(kFichiersParPas, trouves.size() - lus)); });
            total += d;
            plusLong = std::max(plusLong, d);
        }
        lire.push_back(total);
        pas.push_back(plusLong);
        std::vector<CLignesResultats::SLigne> lignes;
        trier.push_back(chronometrer([&] {
            const std::vector<int> ordre = cles.ordonner(modele.croissant());
            lignes.reserve(ordre.size());
            for (int i : ordre)
                lignes.push_back({trouves[static_cast<std::size_t>(i)], 0});
        }));
        echanger.push_back(chronometrer([&] { fenetre.remplacerLignes(std::move(lignes)); }));
        peindre.push_back(chronometrer([&] { laisserPeindre(fenetre); }));
    }
    std::printf("réponse rapide préparée, %zu lignes, triées : %s\n", trouves.size(), lignesTriees(modele) ? "oui" : "NON");
    afficherLigne("  lire les valeurs (fil de l'interface)", lire, n);
    std::printf("    le plus long pas de %zu fichiers      médiane %8.2f ms\n", kFichiersParPas, mediane(pas) * 1000);
    afficherLigne("  trier les lignes (hors du fil)", trier, n);
    afficherLigne("  échanger les lignes", echanger, n);
    afficherLigne("  puis peindre (la vue se dispose)", peindre, n);
    return std::max(mediane(pas), mediane(echanger) + mediane(peindre));
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t fichiers = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 5;
    if (fichiers == 0 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_resultats [fichiers > 0] [tours > 0]\n");
        return 2;
    }
    int argcQt = 1;
    SProgrammeHorsEcran programme(argcQt, argv);
    CResultatsRechercheDlg fenetre(QIcon(), programme.app.images().tri(), nullptr);
    fenetre.resize(900, 600);
    fenetre.show();
    CModeleResultats& modele = fenetre.modele();

    std::printf("Construction de %zu fichiers en mémoire...\n", fichiers);
    std::optional<CRequeteSynthetique> synthese;
    synthese.emplace(fichiers, kGraine);
    CCriteres c = CCriteres::pourRecherche();
    c.cible = static_cast<CDossier*>(&synthese->requete());

    CResultatsMemoire memoire;
    memoire.lignes.reserve(fichiers);
    executerRecherche(c, {}, &memoire);  // warm-up: pages touched once
    const auto plancher = mesurerTours(tours, [] {}, [&] { executerRecherche(c, {}, &memoire); });
    const auto fenetreEntiere = mesurerTours(tours, [&] { modele.vider(); laisserPeindre(fenetre); }, [&] {
        executerRecherche(c, {}, &fenetre.commeResultats());
        laisserPeindre(fenetre);
    });
    const auto remplir = mesurerTours(tours, [&] { modele.vider(); laisserPeindre(fenetre); }, [&] {
        fenetre.vider();
        for (CFichier* f : memoire.lignes)
            fenetre.ajouterLigne(f);
        fenetre.retrier();
        laisserPeindre(fenetre);
    });
    const double n = static_cast<double>(modele.rowCount());
    std::printf("\n%d lignes, triées : %s\n", modele.rowCount(), lignesTriees(modele) ? "oui" : "NON");
    afficherLigne("recherche vers un vecteur (plancher)", plancher, n);
    afficherLigne("recherche vers la fenêtre (+ peindre)", fenetreEntiere, n);
    afficherLigne("remplir la fenêtre seule (+ trier, peindre)", remplir, n);
    // The share of the sort itself (by name, the start-up column) in that time.
    const std::vector<const CFichier*> trouves(memoire.lignes.begin(), memoire.lignes.end());
    afficherLigne("  dont ordreFichiers seul (Nom)", mesurerTours(tours, [] {}, [&] {
        (void)ordreFichiers(trouves, 0, true);
    }), n);
    const double enPlus = mediane(fenetreEntiere) - mediane(plancher);
    std::printf("  la fenêtre ajoute %.3f s à la recherche\n", enPlus);
    const double pirePas = mesurerReponseRapide(fenetre, memoire.lignes, tours);

    const double pire = mesurerTrisParColonne(fenetre, tours);

    // The document destroyed: every file leaves the window on its own.
    fenetre.retrier();
    const double detruirePlein = chronometrer([&] { synthese.reset(); laisserPeindre(fenetre); });
    const int restantes = modele.rowCount();
    synthese.emplace(fichiers, kGraine);
    fenetre.vider();
    const double detruireVide = chronometrer([&] { synthese.reset(); });
    std::printf("\ndétruire le document, fenêtre pleine   %8.3f s (%d lignes restantes)\n", detruirePlein, restantes);
    std::printf("détruire le document, fenêtre vide     %8.3f s\n", detruireVide);

    std::printf("\n");
    afficherObjectif("remplir la fenêtre après la recherche", enPlus, kObjectifRemplir);
    afficherObjectif("trier sur la pire colonne", pire, kObjectifTri);
    std::printf("  objectif réponse rapide, le plus long pas sur le fil de l'interface < %.0f ms : %s (%.1f ms)\n",
                kObjectifPas * 1000, pirePas < kObjectifPas ? "atteint" : "MANQUÉ", pirePas * 1000);
    return 0;
}
