// The active pane: while the list pane is active the tree's commands are unavailable,
// "&Sous-dossiers" and printing are not; F6 moves between the panes.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QTest>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CListeView.h"
#include "shell/CModeleListe.h"
#include "ui/IdCommandes.h"
#include "workspace/CContexte.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

using PanneauActif = AvecNorvanel;

TEST_F(PanneauActif, CommandesDeLArbreIndisponiblesQuandLaListeEstActive)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd"});
    selectionner(static_cast<CDossier*>(c->requetes().elementA(0)));
    const int commandesArbre[] = {cmd::Supprimer, cmd::Proprietes, cmd::Renommer, cmd::MettreAJour,
                         cmd::ToutMettreAJour, cmd::ModifierRequete, cmd::ComparerRequetes};
    for (int id : commandesArbre)
        EXPECT_TRUE(actif(id)) << id;

    executer(cmd::PanneauSuivant);
    ASSERT_FALSE(fenetre().arbreActif());
    for (int id : commandesArbre)
        EXPECT_FALSE(actif(id)) << id;
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

TEST_F(PanneauActif, LePanneauActifSuitChaqueClicEtChaqueEntreeDuFocus)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd"});
    selectionner(static_cast<CDossier*>(c->requetes().elementA(0)));
    CListeView& liste = fenetre().liste();
    const QPoint surLaRequete = arbre().visualRect(indexDe(c->requetes().elementA(0))).center();
    // The tree keeps the focus while the list is made active (a command run from the
    // list, a disk prompt cancelled from it): a click in the tree must still count.
    const struct {
        const char* cas;
        std::function<void()> geste;
    } cas[] = {
        {"clic dans l'arbre qui a déjà le focus",
         [&] { QTest::mouseClick(arbre().viewport(), Qt::LeftButton, {}, surLaRequete); }},
        {"focus rendu à l'arbre au clavier", [&] {
             liste.setFocus(Qt::OtherFocusReason);
             arbre().setFocus(Qt::BacktabFocusReason);
         }},
    };
    for (const auto& k : cas) {
        arbre().setFocus(Qt::OtherFocusReason);
        fenetre().definirPanneauActif(&liste);
        ASSERT_FALSE(actif(cmd::Supprimer)) << k.cas;
        k.geste();
        laisserTourner();
        EXPECT_TRUE(fenetre().arbreActif()) << k.cas;
        for (int id : {cmd::Supprimer, cmd::Proprietes, cmd::Renommer, cmd::MettreAJour, cmd::ToutMettreAJour,
                       cmd::ModifierRequete})
            EXPECT_TRUE(actif(id)) << k.cas << " " << id;
    }
    // And the other way: a click in the list that already had the focus.
    liste.setFocus(Qt::OtherFocusReason);
    fenetre().definirPanneauActif(&arbre());
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, QPoint(5, liste.viewport()->height() - 5));
    laisserTourner();
    EXPECT_FALSE(fenetre().arbreActif());
}

TEST_F(PanneauActif, UnClicDroitDansLeVideDeLaListeOteLaSelectionSansMenu)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd1", "cd2"});
    selectionner(c);
    CListeView& liste = fenetre().liste();
    liste.setCurrentIndex(liste.model()->index(0, 0));
    ASSERT_NE(liste.noeudSelectionne(), nullptr);
    bool menuOuvert = false;
    QTimer::singleShot(50, [&] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            menuOuvert = true;
            menu->close();
        }
    });
    const QPoint vide(5, liste.viewport()->height() - 5);
    ASSERT_FALSE(liste.indexAt(vide).isValid());
    // As on X11: the menu is asked for on the press, before the release.
    QTest::mousePress(liste.viewport(), Qt::RightButton, {}, vide);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, vide, liste.viewport()->mapToGlobal(vide));
    QApplication::sendEvent(liste.viewport(), &menu);
    QTest::mouseRelease(liste.viewport(), Qt::RightButton, {}, vide);
    laisserTourner(100);
    EXPECT_EQ(liste.noeudSelectionne(), nullptr);
    EXPECT_FALSE(menuOuvert);
}
