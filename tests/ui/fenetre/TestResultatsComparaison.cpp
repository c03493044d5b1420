// The comparison results window: its start state, the title and legends naming the
// pair in order (and following a rename), the status pictures, the sort on the status
// column, the statuses kept through a later search, and the return to the start state when a compared query goes.

#include <QFile>
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <QWindow>

#include "compare/Comparaison.h"
#include "compare/ui/CComparaisonDlg.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/Recherche.h"
#include "ui/CImagesApplication.h"
#include "ui/CModeleResultats.h"
#include "ui/IdCommandes.h"
#include "shell/CHoteResultatsQt.h"
#include "shell/ExportListe.h"
#include "tests/ui/fenetre/AvecNorvanel.h"
#include "workspace/CContexte.h"
#include "workspace/TravailRecherche.h"

namespace {

// By name and size, a.jpg and A.JPG are counterparts; b.jpg and c.jpg are only in
// Photos, d.jpg only in Archives.
constexpr const char* kCatalogue = R"(
classeur Disques
  requete Photos /media/photos
    fichier a.jpg taille=5
    fichier b.jpg taille=7
    dossier vieux
      fichier c.jpg taille=9
  requete Archives /media/archives
    fichier A.JPG taille=5
    fichier d.jpg taille=1
  requete Autre /media/autre
    fichier e.txt
)";

class ResultatsComparaison : public AvecCatalogue {
protected:
    ResultatsComparaison() : AvecCatalogue(kCatalogue) {}

    void SetUp() override
    {
        AvecCatalogue::SetUp();
        if (HasFatalFailure())
            return;
        photos = &catalogue.requete("Photos");
        archives = &catalogue.requete("Archives");
        comparaison().show();
        testeur = std::make_unique<QAbstractItemModelTester>(&modele());
    }

    void comparer(CRequete& a, CRequete& b)
    {
        comparerRequetes(a, b, {.nom = true, .taille = true}, contexte().resultatsComparaison);
        laisserTourner();
    }

    CComparaisonDlg& comparaison() { return app->resultatsComparaison(); }
    CModeleResultats& modele() { return comparaison().modele(); }
    QStringList noms()
    {
        QStringList r;
        for (int i = 0; i < modele().rowCount(); ++i)
            r << modele().index(i, 1).data().toString();
        return r;
    }
    // The title, then the three legends.
    QStringList textes()
    {
        CComparaisonDlg& c = comparaison();
        return {c.windowTitle(), c.legende(0), c.legende(1), c.legende(2)};
    }
    bool etatDeDepart()
    {
        return textes() == QStringList{"Aucune comparaison n'a été effectuée", "", "", ""} &&
               !comparaison().zoneLegende().isVisible() && modele().rowCount() == 0;
    }

    CRequete* photos = nullptr;
    CRequete* archives = nullptr;
    std::unique_ptr<QAbstractItemModelTester> testeur;
};

TEST_F(ResultatsComparaison, DepartPuisPaireNommeeDansSonOrdre)
{
    EXPECT_TRUE(etatDeDepart());
    EXPECT_EQ(comparaison().minimumSize(), QSize(200, 200));
    // The status column first: no title, 32 pixels.
    ASSERT_EQ(modele().columnCount(), 8);
    EXPECT_EQ(modele().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
    EXPECT_EQ(comparaison().liste().header()->sectionSize(0), 32);

    const QString titre = QStringLiteral("Résultats de la comparaison entre les requêtes %1 et %2");
    const QString seulement = QStringLiteral("Fichiers présents uniquement dans la requête %1");
    const QString lesDeux = QStringLiteral("Fichiers présents dans les deux requêtes");
    const QString a = QStringLiteral("Archives"), p = QStringLiteral("Photos"), v = QStringLiteral("Vacances");
    comparer(*photos, *archives);
    EXPECT_EQ(textes(), (QStringList{titre.arg(p, a), seulement.arg(p), seulement.arg(a), lesDeux}));
    EXPECT_TRUE(comparaison().zoneLegende().isVisible());
    ASSERT_EQ(modele().rowCount(), 5);
    for (int r = 0; r < modele().rowCount(); ++r)
        EXPECT_EQ(modele().index(r, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
                  app->images().comparaison().value(modele().fichier(r)->marque).cacheKey());

    // The other way round, then a rename from the tree: the names follow.
    comparer(*archives, *photos);
    selectionner(static_cast<CDossier*>(photos));
    executer(cmd::Renommer);
    validerLibelle(QStringLiteral("Vacances"));
    EXPECT_EQ(textes(), (QStringList{titre.arg(a, v), seulement.arg(a), seulement.arg(v), lesDeux}));
    // A name is shown as it is, on one line.
    ASSERT_TRUE(doc().renommer(*photos, "[*]\tÉté"));
    EXPECT_EQ(comparaison().windowHandle()->title(), titre.arg(a, QStringLiteral("[*] Été")));
    EXPECT_EQ(comparaison().legende(1), seulement.arg(QStringLiteral("[*] Été")));
}

TEST_F(ResultatsComparaison, LaColonneDuStatutTrieDansLesDeuxSens)
{
    comparer(*photos, *archives);
    struct SEtape {
        int clic;  // -1: a new comparison
        int colonne;
        bool croissant;
        QStringList noms;
    };
    // Ties keep the order they had: at first the files of Photos before those of Archives.
    const SEtape etapes[] = {
        {-2, 0, true, {"b.jpg", "c.jpg", "d.jpg", "a.jpg", "A.JPG"}},
        {0, 0, false, {"a.jpg", "A.JPG", "d.jpg", "b.jpg", "c.jpg"}},
        {-1, 0, false, {"a.jpg", "A.JPG", "d.jpg", "b.jpg", "c.jpg"}},
        {1, 1, false, {"d.jpg", "c.jpg", "b.jpg", "a.jpg", "A.JPG"}},
        {0, 0, false, {"a.jpg", "A.JPG", "d.jpg", "c.jpg", "b.jpg"}},
        {0, 0, true, {"c.jpg", "b.jpg", "d.jpg", "a.jpg", "A.JPG"}},
    };
    QHeaderView* entete = comparaison().liste().header();
    for (const SEtape& e : etapes) {
        if (e.clic == -1)
            comparer(*photos, *archives);
        else if (e.clic >= 0)
            QTest::mouseClick(entete->viewport(), Qt::LeftButton, {},
                              QPoint(entete->sectionViewportPosition(e.clic) + 12, 5));
        EXPECT_EQ(noms(), e.noms) << "après un clic sur " << e.clic;
        EXPECT_EQ(modele().colonneTri(), e.colonne);
        EXPECT_EQ(modele().croissant(), e.croissant);
    }
}

TEST_F(ResultatsComparaison, UneRechercheUlterieureNeChangePasLesStatuts)
{
    comparer(*photos, *archives);
    const QMap<QString, int> attendus{{"a.jpg", 2}, {"A.JPG", 2}, {"b.jpg", 0}, {"c.jpg", 0}, {"d.jpg", 1}};
    QHeaderView* entete = comparaison().liste().header();
    const auto cliquerStatut = [&] {
        QTest::mouseClick(entete->viewport(), Qt::LeftButton, {}, QPoint(entete->sectionViewportPosition(0) + 12, 5));
    };
    cliquerStatut();
    const QStringList ordreDecroissant = noms();
    ASSERT_EQ(ordreDecroissant.size(), 5);

    // F3 over the whole document, then F5 with one that finds nothing: every found
    // mark is rewritten both times.
    for (const bool trouverTout : {true, false}) {
        SCOPED_TRACE(trouverTout ? "tout trouvé" : "rien trouvé");
        CCriteres c = CCriteres::pourRecherche();
        c.cible = &doc();
        if (!trouverTout)
            c.motif = "*.introuvable";
        contexte().criteresRecherche = c;
        reappliquerRecherche(contexte());
        laisserTourner();
        ASSERT_EQ(catalogue.fichier("Photos/a.jpg").marque, trouverTout ? 1 : 0);

        for (int r = 0; r < modele().rowCount(); ++r) {
            const QString nom = modele().index(r, 1).data().toString();
            EXPECT_EQ(modele().index(r, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
                      app->images().comparaison().value(attendus.value(nom)).cacheKey())
                << nom.toStdString();
        }
        EXPECT_EQ(noms(), ordreDecroissant);
        // Sorted again both ways on the status column: the statuses the comparison gave.
        cliquerStatut();
        cliquerStatut();
        EXPECT_EQ(noms(), ordreDecroissant);
        EXPECT_FALSE(modele().croissant());
        for (int r = 1; r < modele().rowCount(); ++r)
            EXPECT_GE(attendus.value(noms()[r - 1]), attendus.value(noms()[r]));
    }
}

TEST_F(ResultatsComparaison, UneRequeteCompareeDetruiteRameneAuDepart)
{
    // Each way a query or a file of the pair goes; the window never paints a freed row.
    const auto supprimer = [&](const char* requete) {
        selectionner(static_cast<CDossier*>(&catalogue.requete(requete)));
        executer(cmd::Supprimer);
    };
    struct SCas {
        const char* nom;
        std::function<void()> detruire;
        int lignes;  // 0: back to the start state
    };
    const SCas cas[] = {
        {"seconde requête supprimée", [&] { supprimer("Archives"); }, 0},
        {"première requête supprimée", [&] { supprimer("Photos"); }, 0},
        {"autre requête supprimée", [&] { supprimer("Autre"); }, 5},
        {"instantané de la première remplacé, comme par une capture",
         [&] {
             doc().annoncer({EChangement::InstantaneVaPartir, static_cast<CDossier*>(photos)});
             photos->vider();
         },
         2},
        {"document fermé",
         [&] {
             doc().definirModifie(false);
             executer(cmd::Fermer);
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         },
         0},
    };
    for (const SCas& c : cas) {
        SCOPED_TRACE(c.nom);
        testeur.reset();
        TearDown();
        SetUp();
        comparer(*photos, *archives);
        comparaison().liste().setCurrentIndex(modele().index(modele().rowCount() - 1, 1));
        c.detruire();
        laisserTourner();
        EXPECT_EQ(etatDeDepart(), c.lignes == 0);
        EXPECT_EQ(modele().rowCount(), c.lignes);
        EXPECT_FALSE(comparaison().grab().isNull());
    }
}

// "&Exporter..." as an HTML page: the window's title, its legend, each status in words.
TEST_F(ResultatsComparaison, ExporterEnHtmlDitLesStatutsEnMots)
{
    comparer(*photos, *archives);
    const QString fichier = chemin(QStringLiteral("comparaison.html"));
    app->hoteResultats().dialogueExport = [&](QWidget*) { return SChoixExport{fichier, EFormatExport::Html}; };
    app->hoteResultats().exporter(comparaison().tableauAffiche());
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Résultats de la comparaison entre les requêtes")));
    EXPECT_TRUE(page.contains(QStringLiteral("<th>Statut</th><th>Nom</th>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td>Seulement dans « Photos »</td><td>b.jpg</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td>Seulement dans « Archives »</td><td>d.jpg</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td>Dans les deux</td><td>a.jpg</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("Dans les deux : Fichiers présents dans les deux requêtes.")));
}

} // namespace
