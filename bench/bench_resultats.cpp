// The search results window (offscreen) over a search that finds one million files:
// the search into a plain vector (the floor), the same search into the window with one
// viewport painted, the window filled alone from the found files, a header click on
// each column (ascending, then descending), and the document destroyed while the
// window holds every row, against the same destruction with the window empty.
// Usage: bench_resultats [fichiers] [tours]

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
#include "model/CContexte.h"
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
        executerRecherche(c, {}, contexte().resultatsRecherche);
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
    return 0;
}
