// The comparison results window (offscreen) over two queries of a million files each,
// the second a modified copy of the first: the comparison alone (statuses, no list),
// the comparison into the window with its rows sorted and one viewport painted, a
// header click on each column (ascending, then descending), and the second query
// destroyed while the window holds every row.
// Usage: bench_fenetre_comparaison [fichiers] [tours]

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QApplication>

#include "bench/Alea.h"
#include "bench/CopieModifiee.h"
#include "bench/CRequeteSynthetique.h"
#include "bench/Mesure.h"
#include "bench/MesureFenetreResultats.h"
#include "bench/ProgrammeHorsEcran.h"
#include "compare/Comparaison.h"
#include "compare/ui/CComparaisonDlg.h"
#include "model/CFichier.h"
#include "model/CRequete.h"

namespace {

constexpr double kObjectifComparerEtRemplir = 1.5;
constexpr double kObjectifTri = 1.0;

} // namespace

int main(int argc, char** argv)
{
    const std::size_t fichiers = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 5;
    if (fichiers == 0 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_fenetre_comparaison [fichiers > 0] [tours > 0]\n");
        return 2;
    }
    int argcQt = 1;
    SProgrammeHorsEcran programme(argcQt, argv);
    CComparaisonDlg fenetre(programme.app.images(), nullptr);
    fenetre.resize(900, 600);
    fenetre.show();
    CModeleResultats& modele = fenetre.modele();

    std::printf("Construction de deux requêtes de %zu fichiers en mémoire...\n", fichiers);
    CRequeteSynthetique synthese(fichiers, 20030310);
    CRequete& a = synthese.requete();
    std::unique_ptr<CRequete> b = a.copier();
    CAlea alea(19991231);
    modifierCopie(*b, alea);
    const SOptionsComparaison nomTaille{.nom = true, .taille = true};

    comparerRequetes(a, *b, nomTaille, nullptr);  // warm-up: pages touched once
    const auto seule = mesurerTours(tours, [] {}, [&] { comparerRequetes(a, *b, nomTaille, nullptr); });
    const auto avecFenetre = mesurerTours(tours, [&] { modele.vider(); laisserPeindre(fenetre); }, [&] {
        comparerRequetes(a, *b, nomTaille, &fenetre.commeResultats());
        laisserPeindre(fenetre);
    });
    const double n = static_cast<double>(modele.rowCount());
    std::printf("\n%d lignes, triées sur le statut : %s\n", modele.rowCount(),
                lignesTriees(modele) && modele.colonneTri() == 0 ? "oui" : "NON");
    afficherLigne("comparaison seule, nom + taille", seule, n);
    afficherLigne("comparaison vers la fenêtre (+ trier, peindre)", avecFenetre, n);
    std::printf("  la fenêtre ajoute %.3f s à la comparaison\n", mediane(avecFenetre) - mediane(seule));

    const double pire = mesurerTrisParColonne(fenetre, tours);

    // The second query destroyed: the window returns to its start state first, so its
    // million files leave an empty list.
    fenetre.trierSur(0);
    comparerRequetes(a, *b, nomTaille, &fenetre.commeResultats());
    const double detruire = chronometrer([&] { b.reset(); laisserPeindre(fenetre); });
    std::printf("\ndétruire la seconde requête, fenêtre pleine %8.3f s (%d lignes restantes, titre « %s »)\n",
                detruire, modele.rowCount(), fenetre.windowTitle().toStdString().c_str());

    std::printf("\n");
    afficherObjectif("comparer et remplir la fenêtre", mediane(avecFenetre), kObjectifComparerEtRemplir);
    afficherObjectif("trier sur la pire colonne", pire, kObjectifTri);
    return 0;
}
