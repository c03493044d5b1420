// Commands whose windows come later or live elsewhere: the properties of the selected
// node, the compare wizard and the search sheet plugged into the application, printing
// from the command line.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QPrinterInfo>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "ui/IdCommandes.h"
#include "shell/LigneCommande.h"

using Crochets = AvecNorvanel;

TEST_F(Crochets, ProprietesDUnDossierSontLesSiennes)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd"});
    CDossier* photos = ajouterDossier(*c->requetes().elementA(0), "Photos");
    arbre().reconstruire();
    selectionner(photos);
    EXPECT_TRUE(actif(cmd::Proprietes));
    EXPECT_FALSE(actif(cmd::MettreAJour));
    EXPECT_FALSE(actif(cmd::Supprimer));
    EXPECT_TRUE(actif(cmd::ModifierRequete));
    QString titre;
    repondeur->autreDialogue = [&](QDialog& d) {
        titre = d.windowTitle();
        d.reject();
    };
    executer(cmd::Proprietes);
    EXPECT_EQ(titre, QStringLiteral("Propriétés du dossier \"/media/cd/Photos\""));
}

TEST_F(Crochets, ComparerEtRechercherBranchesDesLeDemarrage)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd"});
    CRequete* q = c->requetes().elementA(0);
    CDossier* photos = ajouterDossier(*q, "Photos");
    arbre().reconstruire();
    // The compare wizard and the search sheet are plugged in at start-up; a test may
    // put others in their place.
    EXPECT_TRUE(actif(cmd::ComparerRequetes));
    EXPECT_TRUE(actif(cmd::Rechercher));

    std::vector<CRequete*> premieres;
    int recherches = 0;
    app->definirComparaison([&](CRequete* premiere) { premieres.push_back(premiere); });
    app->definirRecherche([&](CChildFrame& f) { recherches += &f == &fenetre(); });
    EXPECT_TRUE(actif(cmd::Rechercher));
    executer(cmd::Rechercher);
    EXPECT_EQ(recherches, 1);
    // The first query of the wizard: the selection's query, none for a binder.
    selectionner(photos);
    executer(cmd::ComparerRequetes);
    selectionner(c);
    executer(cmd::ComparerRequetes);
    EXPECT_EQ(premieres, (std::vector<CRequete*>{q, nullptr}));
}

TEST_F(Crochets, ImprimerDepuisLaLigneDeCommandeSansImprimanteLeDit)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "une imprimante est installée : le test n'imprime pas pour de vrai";
    const QString f = creerCatalogue(QStringLiteral("cd.kbt"), {QStringLiteral("Général")}, dossier.path());
    CApp impression;
    repondeur->reponses.push_back(QMessageBox::Ok);
    SLigneCommande ligne;
    ligne.action = SLigneCommande::EAction::Imprimer;
    ligne.fichiers = {f};
    EXPECT_FALSE(impression.demarrer(ligne));
    EXPECT_EQ(impression.codeSortie(), 1);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_EQ(repondeur->boites[0].texte,
              QStringLiteral("Aucune imprimante n'est installée : le catalogue n'a pas été imprimé."));
    EXPECT_TRUE(impression.cadre().cadres().isEmpty());
    EXPECT_FALSE(impression.cadre().isVisible());
}

// Without a screen nobody would answer a box: the print's messages, even those the
// loading itself would show, go to the standard error and the run ends.
TEST_F(Crochets, ImprimerSansEcranNOuvreAucuneBoite)
{
    creerFichier(QStringLiteral("abime.kbt"), QByteArray("\xff\xff\xff\xff", 4));
    SOptionsApplication options;
    options.messagesSurConsole = true;
    CApp impression(options);
    SLigneCommande ligne;
    ligne.action = SLigneCommande::EAction::Imprimer;
    for (const QString& nom : {QStringLiteral("abime.kbt"), QStringLiteral("absent.kbt")}) {
        ligne.fichiers = {chemin(nom)};
        EXPECT_FALSE(impression.demarrer(ligne));
        EXPECT_EQ(impression.codeSortie(), 2);
    }
    EXPECT_TRUE(repondeur->boites.empty());
}

TEST_F(Crochets, UnFichierIlisibleEnLigneDeCommandeArreteLeDemarrage)
{
    creerFichier(QStringLiteral("abime.kbt"), QByteArray("\xff\xff\xff\xff", 4));
    app.reset();
    app = std::make_unique<CApp>();
    repondeur->reponses.push_back(QMessageBox::Ok);
    SLigneCommande ligne;
    ligne.action = SLigneCommande::EAction::Ouvrir;
    ligne.fichiers = {chemin(QStringLiteral("abime.kbt"))};
    EXPECT_FALSE(app->demarrer(ligne));
    EXPECT_EQ(app->codeSortie(), 2);
    EXPECT_EQ(repondeur->boites.size(), 1u);
}
