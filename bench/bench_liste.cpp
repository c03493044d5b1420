// Time to list and to sort 200 000 files in the list pane of a real document window,
// offscreen: the query listed (rows, columns, the stored sort, one viewport painted),
// then a header click on each column. Also the same count spread over 2 000 folders
// listed with the sub-folders hidden in the tree, where the "Dossier" column shows.
// Usage: bench_liste [fichiers] [tours]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>

#include "bench/Alea.h"
#include "bench/Mesure.h"
#include "bench/ProgrammeHorsEcran.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/ContenuListe.h"
#include "model/TriListe.h"
#include "shell/CApp.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "shell/CMainFrame.h"
#include "shell/CModeleListe.h"

namespace {

constexpr double kObjectifListe = 0.3;
constexpr double kObjectifTri = 0.5;
constexpr std::uint64_t kGraine = 20261207;

constexpr const char* kDebuts[] = {"IMG_", "DSC", "Facture ", "rapport annuel ", "Été à Montréal ",
                                   "chanson ", "Übersicht ", "lettre à Noël ", "写真 ", "copie de "};
constexpr const char* kFins[] = {".jpg", ".JPG", ".pdf", ".mp3", ".doc", ".txt", ".png", ".flac", ".odt", ".zip"};
constexpr const char* kLettres[] = {"A", "A", "A", "", "R", "RA", "HA", "RHSA"};

CDateHeure instant(CAlea& alea)
{
    CDateHeure d;
    d.date.annee = 1995 + static_cast<std::uint32_t>(alea.jusqua(32));
    d.date.mois = 1 + static_cast<std::uint32_t>(alea.jusqua(12));
    d.date.jour = 1 + static_cast<std::uint32_t>(alea.jusqua(28));
    d.heure = static_cast<std::uint32_t>(alea.jusqua(24));
    d.minute = static_cast<std::uint32_t>(alea.jusqua(60));
    d.seconde = static_cast<std::uint32_t>(alea.jusqua(60));
    return d;
}

void ajouterFichiers(CDossier& dossier, int nombre, CAlea& alea)
{
    for (int i = 0; i < nombre; ++i) {
        std::string nom = alea.parmi(kDebuts) + std::to_string(alea.jusqua(100000)) + alea.parmi(kFins);
        auto* f = CFichier::creer(dossier.arene(), &dossier, dossier.chemin() + "/" + nom);
        // Every order of magnitude, as on a real disk, up to the 32-bit limit.
        const unsigned bits = static_cast<unsigned>(alea.jusqua(33));
        f->taille = bits == 0 ? 0 : static_cast<std::uint32_t>(alea.suivant() & ((1ULL << bits) - 1));
        f->definirModifie(instant(alea));
        f->definirCree(alea.chance(60) ? f->modifie() : instant(alea));
        f->definirAccede(instant(alea).date);
        const std::string lettres = alea.parmi(kLettres);
        lettres.copy(f->lettres, sizeof f->lettres - 1);
        dossier.fichiers().ajouter(f);
    }
}

// One binder, one query over "/media/disque" storing every value: `fichiers` files in
// its root folder, or spread evenly over `dossiers` folders (two levels) beneath it.
std::unique_ptr<CDoc> documentAvec(int fichiers, int dossiers, bool sousDossiersAffiches)
{
    auto doc = std::make_unique<CDoc>();
    doc->initialiserNouveau();
    doc->afficherSousDossiers = sousDossiersAffiches;
    CClasseur* c = doc->classeurs().elementA(0);
    auto* q = new CRequete(c);
    q->definirNom("Disque de sauvegarde");
    q->definirChemin("/media/disque");
    c->requetes().ajouter(q);
    CAlea alea(kGraine);
    if (dossiers == 0) {
        ajouterFichiers(*q, fichiers, alea);
        return doc;
    }
    const int parHaut = 50;
    std::vector<CDossier*> feuilles;
    for (int h = 0; h < parHaut && static_cast<int>(feuilles.size()) < dossiers; ++h) {
        auto* haut = new CDossier(q, q->chemin() + "/Année " + std::to_string(1990 + h), false);
        q->sousDossiers().ajouter(haut);
        feuilles.push_back(haut);
        for (int s = 0; s < dossiers / parHaut - 1; ++s) {
            auto* d = new CDossier(q, haut->chemin() + "/Séance n°" + std::to_string(s), false);
            haut->sousDossiers().ajouter(d);
            feuilles.push_back(d);
        }
    }
    const int parDossier = fichiers / static_cast<int>(feuilles.size());
    for (std::size_t i = 0; i < feuilles.size(); ++i)
        ajouterFichiers(*feuilles[i], i + 1 < feuilles.size() ? parDossier : fichiers - parDossier * static_cast<int>(i),
                        alea);
    return doc;
}

void laisserPeindre(CListeView& liste)
{
    liste.viewport()->repaint();
    QCoreApplication::processEvents();
}

// True when the rows follow the stored sort: nothing was skipped by the timed work.
bool lignesTriees(CListeView& liste, const CDoc& doc)
{
    const CModeleListe& m = liste.modele();
    CElement* n = m.noeudListe();
    if (!n)
        return false;
    const int champ = champDeColonne(1, doc.colonneTri[1], n->requete());
    const int cle = doc.triCroissant[1] ? champ + 1 : -(champ + 1);
    const auto& lignes = m.lignes();
    for (std::size_t i = 1; i < lignes.size(); ++i)
        if (comparerLignes(1, cle, lignes[i - 1], lignes[i]) > 0)
            return false;
    return true;
}

void afficherObjectif(const char* quoi, double secondes, double objectif)
{
    std::printf("  objectif %s < %.1f s : %s (%.3f s)\n", quoi, objectif, secondes < objectif ? "atteint" : "MANQUÉ",
                secondes);
}

struct SCas {
    const char* libelle;
    int fichiers;
    int dossiers;
    bool sousDossiersAffiches;
};

void mesurerCas(CApp& app, const SCas& cas, int tours)
{
    auto doc = documentAvec(cas.fichiers, cas.dossiers, cas.sousDossiersAffiches);
    CDoc& d = *doc;
    CClasseur* classeur = d.classeurs().elementA(0);
    CRequete* q = classeur->requetes().elementA(0);
    auto* cadre = new CChildFrame(app.servicesFenetres(), std::move(doc), QStringLiteral("Liste1"));
    app.cadre().zoneMdi().addSubWindow(cadre);
    cadre->afficherMaximise();
    QCoreApplication::processEvents();
    CListeView& liste = cadre->liste();

    std::printf("\n%s : %d fichiers dans %d dossiers\n", cas.libelle, cas.fichiers, cas.dossiers + 1);
    // Each round starts from the binder's list, as when the user comes from it.
    const auto listage = mesurerTours(tours, [&] {
        liste.miseAJour(nullptr, classeur);
        laisserPeindre(liste);
    }, [&] {
        liste.miseAJour(nullptr, q);
        laisserPeindre(liste);
    });
    const int lignes = liste.modele().rowCount();
    const int colonnes = liste.modele().nombreColonnes();
    std::printf("  %d lignes, %d colonnes, triées : %s\n", lignes, colonnes, lignesTriees(liste, d) ? "oui" : "NON");
    afficherLigne("  lister la requête (+ peindre)", listage, lignes);
    // The share of the stored sort (names, from the folder's order) in that time.
    const SContenuListe dansLOrdreDuDossier = q->contenuListe(false);
    afficherLigne("    dont ordreTri seul (Nom)", mesurerTours(tours, [] {}, [&] {
        (void)ordreTri(dansLOrdreDuDossier.lignes, 1, 0, true);
    }), lignes);

    // A click on a column after a sort on the next one: a new column, ascending. Then
    // a second click on it: descending.
    double pireTri = 0;
    bool toutesTriees = true;
    for (int c = 0; c < colonnes; ++c) {
        const int autre = (c + 1) % colonnes;
        const auto croissant = mesurerTours(tours, [&] {
            liste.trier(autre, true);
            laisserPeindre(liste);
        }, [&] {
            liste.trier(c);
            laisserPeindre(liste);
        });
        toutesTriees = toutesTriees && lignesTriees(liste, d) && d.triCroissant[1];
        const auto decroissant = mesurerTours(tours, [&] {
            liste.trier(autre, true);
            liste.trier(c);
            laisserPeindre(liste);
        }, [&] {
            liste.trier(c);
            laisserPeindre(liste);
        });
        toutesTriees = toutesTriees && lignesTriees(liste, d) && !d.triCroissant[1];
        const std::string titre = liste.modele().colonne(c).titre;
        afficherLigne(("  trier « " + titre + " » croissant").c_str(), croissant, lignes);
        afficherLigne(("  trier « " + titre + " » décroissant").c_str(), decroissant, lignes);
        pireTri = std::max({pireTri, mediane(croissant), mediane(decroissant)});
    }
    std::printf("  lignes dans l'ordre après chaque tri : %s\n", toutesTriees ? "oui" : "NON");

    afficherObjectif("liste", mediane(listage), kObjectifListe);
    afficherObjectif("tri (pire colonne)", pireTri, kObjectifTri);
    d.definirModifie(false);
    delete cadre;
}

} // namespace

int main(int argc, char** argv)
{
    const int fichiers = argc > 1 ? std::atoi(argv[1]) : 200000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 7;
    if (fichiers < 2000 || tours <= 0) {
        std::fprintf(stderr, "usage : bench_liste [fichiers >= 2000] [tours > 0]\n");
        return 2;
    }
    SProgrammeHorsEcran programme(argc, argv);
    CApp& app = programme.app;

    mesurerCas(app, {"un dossier, sous-dossiers affichés", fichiers, 0, true}, tours);
    mesurerCas(app, {"2 000 dossiers, sous-dossiers masqués", fichiers, 2000, false}, tours);
    return 0;
}
