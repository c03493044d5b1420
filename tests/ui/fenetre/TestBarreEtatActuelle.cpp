// The status bar tells what is true now: an announcement goes when what it counted
// goes (the quick search emptied, a compared query deleted, another document active),
// and only then.

#include <functional>

#include <QTest>

#include "compare/Comparaison.h"
#include "model/CRequete.h"
#include "search/ui/CRechercheRapide.h"
#include "shell/CApp.h"
#include "shell/CBarreEtat.h"
#include "shell/CMainFrame.h"
#include "ui/CChampRechercheRapide.h"
#include "ui/IdCommandes.h"
#include "tests/ui/fenetre/AvecNorvanel.h"
#include "workspace/CContexte.h"

namespace {

// Two queries, one file in both by name.
constexpr const char* kCatalogue = "classeur Sauvegardes\n"
                                   "  requete Photos /media/photos\n    fichier x.jpg\n    fichier y.jpg\n"
                                   "  requete Archives /media/archives\n    fichier X.JPG\n";

class BarreEtatActuelle : public AvecCatalogue {
protected:
    BarreEtatActuelle() : AvecCatalogue(kCatalogue) {}

    CBarreEtat& barre() { return cadre().barreEtat(); }

    void rechercheRapide(const QString& texte)
    {
        cadre().champRechercheRapide().setText(texte);
        for (int i = 0; i < 2000 && app->rechercheRapide().enCours(); ++i)
            laisserTourner(10);
        laisserTourner();
    }
    // As the comparison command does: the rows, then the counts on the status bar.
    QString comparer()
    {
        CRequete& a = catalogue.requete("Photos");
        CRequete& b = catalogue.requete("Archives");
        const SDecompteComparaison d = comparerRequetes(a, b, {.nom = true}, contexte().resultatsComparaison);
        barre().annoncerComparaison(d, QStringLiteral("Photos"), QStringLiteral("Archives"));
        laisserTourner();
        return barre().texteMessage();
    }
    void supprimer(const char* requete)
    {
        doc().definirModifie(false);
        selectionner(static_cast<CDossier*>(&catalogue.requete(requete)));
        executer(cmd::Supprimer);
        laisserTourner();
    }
};

TEST_F(BarreEtatActuelle, UneAnnoncePartAvecCeQuElleCompte)
{
    const QString pret = QStringLiteral("Prêt");
    struct SCas {
        const char* nom;
        std::function<QString()> annoncer;  // gives the announcement shown
        std::function<void()> changer;
        bool reste;  // the announcement is still true afterwards
    };
    const SCas cas[] = {
        {"recherche rapide vidée par Échap",
         [&] {
             rechercheRapide(QStringLiteral("jpg"));
             return barre().texteMessage();
         },
         [&] {
             QTest::keyClick(&cadre().champRechercheRapide(), Qt::Key_Escape);
             laisserTourner();
         },
         false},
        {"requête comparée supprimée", [&] { return comparer(); }, [&] { supprimer("Archives"); }, false},
        {"première requête comparée supprimée", [&] { return comparer(); }, [&] { supprimer("Photos"); }, false},
        {"recherche puis autre document",
         [&] {
             barre().annoncerFichiersTrouves(3);
             return barre().texteMessage();
         },
         [&] { executer(cmd::Nouveau); },
         false},
        // What still holds stays.
        {"comparaison puis autre document", [&] { return comparer(); }, [&] { executer(cmd::Nouveau); }, true},
        {"recherche puis recherche rapide vidée",
         [&] {
             barre().annoncerFichiersTrouves(3);
             return barre().texteMessage();
         },
         [&] {
             rechercheRapide(QStringLiteral("jpg"));
             barre().annoncerFichiersTrouves(3);
             rechercheRapide(QString());
         },
         true},
    };
    for (const SCas& c : cas) {
        SCOPED_TRACE(c.nom);
        TearDown();
        SetUp();
        const QString annonce = c.annoncer();
        ASSERT_NE(annonce, pret);
        c.changer();
        EXPECT_EQ(barre().texteMessage(), c.reste ? annonce : pret);
    }
}

} // namespace
