// The active pane: while the list pane is active the tree's commands are unavailable,
// "&Sous-dossiers" and printing are not; F6 moves between the panes.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QTest>

#include "model/CClasseur.h"
#include "model/CContexte.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CListeView.h"
#include "shell/CModeleListe.h"
#include "ui/IdCommandes.h"

using PanneauActif = AvecNorvanel;

TEST_F(PanneauActif, CommandesDeLArbreIndisponiblesQuandLaListeEstActive)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd"});
    selectionner(static_cast<CDossier*>(c->requetes().elementA(0)));
    const int commandesArbre[] = {cmd::Supprimer, cmd::Proprietes, cmd::Renommer, cmd::MettreAJour,
                         cmd::ToutMettreAJour, cmd::ModifierRequete};
    for (int id : commandesArbre)
        EXPECT_TRUE(actif(id)) << id;

    executer(cmd::PanneauSuivant);
    ASSERT_FALSE(fenetre().arbreActif());
    for (int id : commandesArbre)
        EXPECT_FALSE(actif(id)) << id;
    EXPECT_FALSE(actif(cmd::ComparerRequetes));
    for (int id : {cmd::SousDossiers, cmd::Imprimer, cmd::ApercuImpression, cmd::NouveauClasseur,
                   cmd::Enregistrer, cmd::ResultatsRecherche})
        EXPECT_TRUE(actif(id)) << id;

    // A click in the tree makes it active again.
    QTest::mouseClick(arbre().viewport(), Qt::LeftButton, {}, arbre().visualRect(indexDe(c)).center());
    laisserTourner();
    EXPECT_TRUE(fenetre().arbreActif());
    EXPECT_TRUE(actif(cmd::Supprimer));
}

TEST_F(PanneauActif, F6PasseDUnPanneauALAutre)
{
    cadre().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre()));
    arbre().setFocus();
    QTest::keyClick(&arbre(), Qt::Key_F6);
    laisserTourner();
    EXPECT_FALSE(fenetre().arbreActif());
    EXPECT_TRUE(fenetre().liste().hasFocus());
    QTest::keyClick(&fenetre().liste(), Qt::Key_F6);
    laisserTourner();
    EXPECT_TRUE(fenetre().arbreActif());
    EXPECT_TRUE(arbre().hasFocus());
}

TEST_F(PanneauActif, LaSelectionDeLArbreEstTransmiseAuPanneauDeListe)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd"});
    CListeView& liste = fenetre().liste();
    selectionner(c);
    EXPECT_EQ(liste.noeudListe(), c);
    ASSERT_EQ(liste.modele().rowCount(), 1);
    EXPECT_EQ(liste.modele().ligne(0), static_cast<CElement*>(static_cast<CDossier*>(c->requetes().elementA(0))));
    // Listing a binder makes it the binder new queries go to.
    EXPECT_EQ(contexte().classeurCourant, c);
}
