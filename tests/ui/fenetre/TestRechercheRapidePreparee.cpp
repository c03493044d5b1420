// The quick search's large answers, whose rows are sorted off the interface thread and
// swapped into the window whole: the same rows in the same order as when they are
// listed on the spot, and never a table out of date (a newer keystroke, a document
// changed, the window sorted otherwise meanwhile).

#include <QCoreApplication>
#include <QThread>

#include "model/CDossier.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/TriListe.h"
#include "search/ui/CRechercheRapide.h"
#include "ui/CChampRechercheRapide.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"
#include "ui/IdCommandes.h"
#include "shell/CMainFrame.h"
#include "tests/ui/fenetre/AvecNorvanel.h"

namespace {

// Names, sizes, dates and letters with ties, in folders of every depth, over two queries.
constexpr const char* kCatalogue = R"(classeur Archives
  requete Vieux /media/vieux
    fichier Zeta.doc taille=5 lettres=A cree=01/01/2001 modifie=10/03/2003 accede=12/03/2003
    fichier alpha.doc taille=70 lettres=RA cree=02/01/2001 modifie=10/03/2003 accede=11/03/2003
    dossier ete
      fichier Alpha.doc taille=5 lettres=HS cree=01/01/2001 modifie=09/03/2003 accede=12/03/2003
      fichier beta.doc taille=4000000000 cree=31/12/2000 modifie=10/03/2004 accede=01/01/2000
      fichier note.txt taille=1
      dossier sous
        fichier alpha.doc taille=70 lettres=A cree=01/01/2001 modifie=10/03/2003 accede=12/03/2003
  requete Neuf /media/neuf
    fichier gamma.doc taille=12 lettres=R cree=05/05/2005 modifie=05/05/2005 accede=05/05/2005
    fichier alpha.doc taille=5 lettres=A cree=01/01/2001 modifie=10/03/2003 accede=12/03/2003
)";

class RechercheRapidePreparee : public AvecCatalogue {
protected:
    RechercheRapidePreparee() : AvecCatalogue(kCatalogue) {}

    CChampRechercheRapide& champ() { return cadre().champRechercheRapide(); }
    CResultatsDlg& resultats() { return app->resultatsRecherche(); }
    CModeleResultats& modele() { return resultats().modele(); }
    CRechercheRapide& recherche() { return app->rechercheRapide(); }

    // Types `texte` and lets the posted events run one pass at a time until the run's
    // answer has come: an event posted meanwhile (the sorted rows) waits for the next
    // pass. True when the answer's rows were then on their way.
    bool taperJusquALaReponse(const QString& texte)
    {
        champ().setText(texte);
        for (int i = 0; i < 20000 && recherche().enCours(); ++i) {
            QCoreApplication::sendPostedEvents();
            QThread::msleep(1);
        }
        EXPECT_FALSE(recherche().enCours());
        return recherche().preparationEnCours();
    }
    // Until nothing is under way any more.
    void attendre()
    {
        for (int i = 0; i < 2000 && (recherche().enCours() || recherche().preparationEnCours()); ++i)
            laisserTourner(5);
        laisserTourner();
        EXPECT_FALSE(recherche().enCours() || recherche().preparationEnCours());
    }
    std::vector<const CFichier*> lignes()
    {
        std::vector<const CFichier*> r;
        for (int i = 0; i < modele().rowCount(); ++i)
            r.push_back(modele().fichier(i));
        return r;
    }
    // The window sorted on `colonne` in that direction, as header clicks do it.
    void trierFenetre(int colonne, bool croissant)
    {
        for (int i = 0; i < 2 && (modele().colonneTri() != colonne || modele().croissant() != croissant); ++i)
            resultats().trierSur(colonne);
        ASSERT_EQ(modele().colonneTri(), colonne);
        ASSERT_EQ(modele().croissant(), croissant);
    }
};

TEST_F(RechercheRapidePreparee, LesLignesPrepareesSontCellesDuRemplissageDirect)
{
    for (int colonne = 0; colonne < modele().columnCount(); ++colonne)
        for (const bool croissant : {true, false}) {
            SCOPED_TRACE(colonne * 2 + croissant);
            trierFenetre(colonne, croissant);
            recherche().lignesPreparees = 1000;
            EXPECT_FALSE(taperJusquALaReponse(QStringLiteral("doc")));
            const std::vector<const CFichier*> directes = lignes();
            ASSERT_EQ(directes.size(), 7u);
            taperJusquALaReponse(QString());
            ASSERT_TRUE(lignes().empty());

            recherche().lignesPreparees = 0;
            EXPECT_TRUE(taperJusquALaReponse(QStringLiteral("doc")));
            attendre();
            EXPECT_EQ(lignes(), directes);
            EXPECT_EQ(recherche().nombreTrouves(), 7u);
            EXPECT_TRUE(resultats().isVisible());
            taperJusquALaReponse(QString());
        }
}

TEST_F(RechercheRapidePreparee, UneReponsePlusRecenteRemplaceCelleEnChemin)
{
    std::vector<std::size_t> annonces;
    QObject::connect(&recherche(), &CRechercheRapide::trouves, [&](std::size_t n) { annonces.push_back(n); });
    recherche().lignesPreparees = 0;
    ASSERT_TRUE(taperJusquALaReponse(QStringLiteral("alpha")));
    // The next keystroke comes before the rows of "alpha": they never show, whenever
    // they come back.
    EXPECT_TRUE(taperJusquALaReponse(QStringLiteral("gamma")));
    attendre();
    laisserTourner(50);
    EXPECT_EQ(annonces, std::vector<std::size_t>{1});
    EXPECT_EQ(lignes(), std::vector<const CFichier*>{&catalogue.fichier("Neuf/gamma.doc")});
}

TEST_F(RechercheRapidePreparee, UnChangementPendantLaPreparationEstSuivi)
{
    enum EChangement { RequeteSupprimee, FichierDetruit, FenetreTriee };
    for (const EChangement changement : {RequeteSupprimee, FichierDetruit, FenetreTriee}) {
        SCOPED_TRACE(changement);
        TearDown();
        SetUp();
        std::vector<std::size_t> annonces;
        QObject::connect(&recherche(), &CRechercheRapide::trouves, [&](std::size_t n) { annonces.push_back(n); });
        recherche().lignesPreparees = 0;
        // Selected first: selecting lets the loop run.
        selectionner(&catalogue.requete("Neuf"));
        ASSERT_TRUE(taperJusquALaReponse(QStringLiteral("alpha")));
        std::size_t attendues = 4;
        if (changement == RequeteSupprimee) {
            // Its files go now, while rows naming them are on their way.
            app->cadre().executer(cmd::Supprimer);
            attendues = 3;
        }
        if (changement == FichierDetruit) {
            // A file of the answer gone before the quick search hears of the change.
            CFichier* f = &catalogue.fichier("Vieux/ete/sous/alpha.doc");
            catalogue.dossier("Vieux/ete/sous").fichiers().retirerElement(f);
            delete f;
            catalogue.requete("Vieux").instantaneChange();
            recherche().synchroniser();
            attendues = 3;
        }
        if (changement == FenetreTriee)
            resultats().trierSur(1);
        attendre();
        EXPECT_EQ(annonces, std::vector<std::size_t>{attendues}) << "une table périmée a été montrée";
        ASSERT_EQ(lignes().size(), attendues);
        const int champ = modele().champTri();
        for (std::size_t i = 1; i < attendues; ++i) {
            const int c = comparerFichiers(*lignes()[i - 1], *lignes()[i], champ);
            EXPECT_TRUE(modele().croissant() ? c <= 0 : c >= 0) << "ligne " << i;
        }
        for (const CFichier* f : lignes())
            EXPECT_NE(f->nom().find("lpha"), std::string_view::npos);
    }
}

} // namespace
