// Time to rebuild the tree of a document window whose query holds 50 000 folders, with
// the sub-folders shown: on a three-level tree (20 x 50 x 49) and on one flat folder of
// 50 000 sub-folders named in random order. The reference: Qt's own QStandardItemModel
// filled with the same labels under a QTreeView. Runs offscreen.
// Usage: bench_arbre [tours]

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <QApplication>
#include <QMdiArea>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeView>

#include "bench/Mesure.h"
#include "bench/ProgrammeHorsEcran.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CObservateurDocument.h"
#include "model/CRequete.h"
#include "shell/CApp.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"

namespace {

constexpr double kObjectifSecondes = 1.0;

std::string nomDossier(std::mt19937& alea, int n)
{
    static const char* racines[] = {"Été", "Photos", "Noël", "Documents", "Übersicht", "Musique", "Factures",
                                    "sauvegarde", "Vidéos", "projets"};
    return std::string(racines[alea() % 10]) + " " + std::to_string(2000 + alea() % 27) + " n°" + std::to_string(n);
}

// Folders beneath `parent`, `largeurs[0]` of them, each with the next level beneath.
int remplir(CDossier& parent, const std::vector<int>& largeurs, std::size_t niveau, std::mt19937& alea, int& n)
{
    if (niveau == largeurs.size())
        return 0;
    int total = 0;
    for (int i = 0; i < largeurs[niveau]; ++i) {
        auto* d = new CDossier(parent.requete(), parent.chemin() + "/" + nomDossier(alea, n++), false);
        parent.sousDossiers().ajouter(d);
        total += 1 + remplir(*d, largeurs, niveau + 1, alea, n);
    }
    return total;
}

std::unique_ptr<CDoc> documentAvec(const std::vector<int>& largeurs, int& dossiers)
{
    auto doc = std::make_unique<CDoc>();
    doc->initialiserNouveau();
    CClasseur* c = doc->classeurs().elementA(0);
    auto* q = new CRequete(c);
    q->definirNom("/media/disque");
    q->definirChemin("/media/disque");
    c->requetes().ajouter(q);
    std::mt19937 alea(20261207);
    int n = 0;
    dossiers = remplir(*q, largeurs, 0, alea, n);
    return doc;
}

// One line: label, median and best seconds, and nanoseconds per folder at the median.
void ligne(const char* libelle, const std::vector<double>& secondes, int dossiers)
{
    const double med = mediane(secondes);
    afficherLibelle(libelle);
    std::printf("médiane %8.3f s  (meilleur %8.3f s)  %7.0f ns/dossier\n", med, minimum(secondes),
                med * 1e9 / dossiers);
}

void laisserPeindre()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void ajouterItems(QStandardItem& parent, const CDossier& d)
{
    for (const CDossier* s : d.sousDossiers()) {
        const std::string& c = s->chemin();
        auto* item = new QStandardItem(QString::fromStdString(c.substr(c.rfind('/') + 1)));
        parent.appendRow(item);
        ajouterItems(*item, *s);
    }
}

void mesurerCas(CApp& app, const char* libelle, const std::vector<int>& largeurs, int tours)
{
    int dossiers = 0;
    auto doc = documentAvec(largeurs, dossiers);
    CDoc& d = *doc;
    auto* cadre = new CChildFrame(app.servicesFenetres(), std::move(doc), QStringLiteral("Liste1"));
    app.cadre().zoneMdi().addSubWindow(cadre);
    cadre->afficherMaximise();
    laisserPeindre();
    CArboView& arbre = cadre->arbre();
    arbre.selectionner(static_cast<CDossier*>(d.classeurs().elementA(0)->requetes().elementA(0)));

    std::printf("\n%s : %d dossiers\n", libelle, dossiers);
    const auto reconstruction = mesurerTours(tours, [] {}, [&] {
        arbre.reconstruire();
        laisserPeindre();
    });
    ligne("  reconstruction (sous-dossiers affichés)", reconstruction, dossiers);
    ligne("  masquer puis afficher les sous-dossiers", mesurerTours(tours, [] {}, [&] {
        d.basculerSousDossiers();
        d.basculerSousDossiers();
        laisserPeindre();
    }), dossiers);
    // What an update or a drop does to the tree, the capture aside: the query's item
    // goes and comes back with its folders, outside any rebuild.
    CRequete* q = d.classeurs().elementA(0)->requetes().elementA(0);
    ligne("  réinsérer la requête et ses dossiers", mesurerTours(tours, [] {}, [&] {
        d.annoncer({EChangement::InstantaneRemplace, static_cast<CDossier*>(q)});
        laisserPeindre();
    }), dossiers);
    const QModelIndex requete = arbre.currentIndex();
    ligne("  déplier la requête", mesurerTours(tours, [&] {
        arbre.collapse(requete);
        laisserPeindre();
    }, [&] {
        arbre.expand(requete);
        laisserPeindre();
    }), dossiers);

    // Reference: Qt's stock model, the same labels, unsorted, under a plain view.
    const CDossier& racine = *d.classeurs().elementA(0)->requetes().elementA(0);
    QTreeView vue;
    vue.show();
    ligne("  repère : QStandardItemModel + QTreeView", mesurerTours(tours, [] {}, [&] {
        auto* modele = new QStandardItemModel(&vue);
        auto* requete = new QStandardItem(QStringLiteral("/media/disque"));
        modele->invisibleRootItem()->appendRow(requete);
        ajouterItems(*requete, racine);
        QAbstractItemModel* ancien = vue.model();
        vue.setModel(modele);
        delete ancien;
        laisserPeindre();
    }), dossiers);

    const double med = mediane(reconstruction);
    std::printf("  objectif < %.1f s : %s (%.3f s)\n", kObjectifSecondes,
                med < kObjectifSecondes ? "atteint" : "MANQUÉ", med);
    d.definirModifie(false);
    delete cadre;
}

} // namespace

int main(int argc, char** argv)
{
    const int tours = argc > 1 ? std::atoi(argv[1]) : 7;
    if (tours <= 0) {
        std::fprintf(stderr, "usage : bench_arbre [tours > 0]\n");
        return 2;
    }
    SProgrammeHorsEcran programme(argc, argv);
    CApp& app = programme.app;

    mesurerCas(app, "arborescence 20 x 50 x 49", {20, 50, 49}, tours);
    mesurerCas(app, "un dossier de 50 000 sous-dossiers", {50000}, tours);
    return 0;
}
