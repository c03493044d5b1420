// The comparison results window: its start state, the title and legends naming the
// pair in order (and following a rename), the status pictures, the sort on the status
// column, and the return to the start state when a compared query goes.

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include "compare/Comparaison.h"
#include "compare/ui/CComparaisonDlg.h"
#include "model/CContexte.h"
#include "model/CDoc.h"
#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "shell/CApp.h"
#include "ui/CImagesApplication.h"
#include "ui/CModeleResultats.h"
#include "ui/IdCommandes.h"
#include "tests/ui/fenetre/AvecNorvanel.h"

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

const QString kDepart = QStringLiteral("Aucune comparaison n'a été effectuée");

class ResultatsComparaison : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        if (HasFatalFailure())
            return;
        catalogue = ajouterCatalogue(kCatalogue);
        photos = &catalogue.requete("Photos");
        archives = &catalogue.requete("Archives");
        fenetreComparaison().show();
        fenetreComparaison().liste().resize(700, 300);
        testeur = std::make_unique<QAbstractItemModelTester>(&modele());
    }

    void TearDown() override
    {
        testeur.reset();
        AvecNorvanel::TearDown();
    }

    void comparer(CRequete& a, CRequete& b)
    {
        comparerRequetes(a, b, {.nom = true, .taille = true}, contexte().resultatsComparaison);
        laisserTourner();
    }

    CComparaisonDlg& fenetreComparaison() { return app->resultatsComparaison(); }
    CModeleResultats& modele() { return fenetreComparaison().modele(); }
    QStringList noms()
    {
        QStringList r;
        for (int i = 0; i < modele().rowCount(); ++i)
            r << modele().index(i, 1).data().toString();
        return r;
    }
    QStringList legendes()
    {
        return {fenetreComparaison().legende(0), fenetreComparaison().legende(1), fenetreComparaison().legende(2)};
    }
    bool etatDeDepart()
    {
        return fenetreComparaison().windowTitle() == kDepart && !fenetreComparaison().zoneLegende().isVisible() &&
               modele().rowCount() == 0 && legendes() == QStringList{QString(), QString(), QString()};
    }
    void cliquerEnTete(int colonne)
    {
        QHeaderView* entete = fenetreComparaison().liste().header();
        QTest::mouseClick(entete->viewport(), Qt::LeftButton, {},
                          QPoint(entete->sectionViewportPosition(colonne) + 12, 5));
    }

    CCatalogueConstruit catalogue;
    CRequete* photos = nullptr;
    CRequete* archives = nullptr;
    std::unique_ptr<QAbstractItemModelTester> testeur;
};

TEST_F(ResultatsComparaison, DepartPuisPaireNommeeDansSonOrdre)
{
    EXPECT_TRUE(etatDeDepart());
    EXPECT_EQ(fenetreComparaison().minimumSize(), QSize(200, 200));
    // The status column first: no title, 32 pixels, then the columns of the search.
    ASSERT_EQ(modele().columnCount(), 8);
    EXPECT_EQ(modele().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
    EXPECT_EQ(fenetreComparaison().liste().header()->sectionSize(0), 32);
    EXPECT_EQ(modele().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nom"));

    comparer(*photos, *archives);
    EXPECT_EQ(fenetreComparaison().windowTitle(),
              QStringLiteral("Résultats de la comparaison entre les requêtes Photos et Archives"));
    EXPECT_EQ(legendes(), (QStringList{QStringLiteral("Fichiers présents uniquement dans la requête Photos"),
                                       QStringLiteral("Fichiers présents uniquement dans la requête Archives"),
                                       QStringLiteral("Fichiers présents dans les deux requêtes")}));
    EXPECT_TRUE(fenetreComparaison().zoneLegende().isVisible());
    // Each row's picture is its file's status.
    ASSERT_EQ(modele().rowCount(), 5);
    const QList<QIcon>& images = app->images().comparaison();
    for (int r = 0; r < modele().rowCount(); ++r) {
        const int statut = modele().fichier(r)->marque;
        ASSERT_TRUE(statut >= 0 && statut < 3);
        EXPECT_EQ(modele().index(r, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
                  images[statut].cacheKey());
    }

    // The other way round, then a rename from the tree: the names follow.
    comparer(*archives, *photos);
    EXPECT_EQ(fenetreComparaison().windowTitle(),
              QStringLiteral("Résultats de la comparaison entre les requêtes Archives et Photos"));
    EXPECT_EQ(legendes()[0], QStringLiteral("Fichiers présents uniquement dans la requête Archives"));
    selectionner(static_cast<CDossier*>(photos));
    executer(cmd::Renommer);
    validerLibelle(QStringLiteral("Vacances"));
    EXPECT_EQ(fenetreComparaison().windowTitle(),
              QStringLiteral("Résultats de la comparaison entre les requêtes Archives et Vacances"));
    EXPECT_EQ(legendes()[1], QStringLiteral("Fichiers présents uniquement dans la requête Vacances"));
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
    // Ties keep the order they had: the files of Photos before those of Archives.
    const SEtape etapes[] = {
        {-2, 0, true, {"b.jpg", "c.jpg", "d.jpg", "a.jpg", "A.JPG"}},
        {0, 0, false, {"a.jpg", "A.JPG", "d.jpg", "b.jpg", "c.jpg"}},
        {-1, 0, false, {"a.jpg", "A.JPG", "d.jpg", "b.jpg", "c.jpg"}},
        {1, 1, false, {"d.jpg", "c.jpg", "b.jpg", "a.jpg", "A.JPG"}},
        {0, 0, false, {"a.jpg", "A.JPG", "d.jpg", "c.jpg", "b.jpg"}},
        {0, 0, true, {"c.jpg", "b.jpg", "d.jpg", "a.jpg", "A.JPG"}},
    };
    for (const SEtape& e : etapes) {
        if (e.clic == -1)
            comparer(*photos, *archives);
        else if (e.clic >= 0)
            cliquerEnTete(e.clic);
        EXPECT_EQ(noms(), e.noms) << "après un clic sur " << e.clic;
        EXPECT_EQ(modele().colonneTri(), e.colonne);
        EXPECT_EQ(modele().croissant(), e.croissant);
    }
}

TEST_F(ResultatsComparaison, UneRequeteCompareeDetruiteRameneAuDepart)
{
    // Each way a query or a file of the pair goes; the window never paints a freed row.
    struct SCas {
        const char* nom;
        std::function<void()> detruire;
        bool depart;
        int lignes;
    };
    const SCas cas[] = {
        {"seconde requête supprimée",
         [&] { selectionner(static_cast<CDossier*>(archives)); executer(cmd::Supprimer); }, true, 0},
        {"première requête supprimée",
         [&] { selectionner(static_cast<CDossier*>(photos)); executer(cmd::Supprimer); }, true, 0},
        {"autre requête supprimée",
         [&] { selectionner(static_cast<CDossier*>(&catalogue.requete("Autre"))); executer(cmd::Supprimer); },
         false, 5},
        {"un fichier détruit",
         [&] {
             CDossier& vieux = catalogue.dossier("Photos/vieux");
             CFichier* c = &catalogue.fichier("Photos/vieux/c.jpg");
             vieux.fichiers().retirerElement(c);
             delete c;
         },
         false, 4},
        {"document fermé",
         [&] {
             doc().definirModifie(false);
             executer(cmd::Fermer);
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         },
         true, 0},
    };
    for (const SCas& c : cas) {
        SCOPED_TRACE(c.nom);
        TearDown();
        SetUp();
        comparer(*photos, *archives);
        fenetreComparaison().liste().setCurrentIndex(modele().index(modele().rowCount() - 1, 1));
        c.detruire();
        laisserTourner();
        EXPECT_EQ(etatDeDepart(), c.depart);
        EXPECT_EQ(modele().rowCount(), c.lignes);
        for (int r = 0; r < modele().rowCount(); ++r)
            EXPECT_NE(modele().fichier(r), nullptr);
        EXPECT_FALSE(fenetreComparaison().grab().isNull());
    }
}

} // namespace
