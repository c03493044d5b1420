// Deleting from the tree, by the menu or the Delete key: no confirmation; the
// document is modified and the list pane is told the new selection. Nothing happens
// with no selection, a folder selected, or a label being edited.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QLineEdit>
#include <QTest>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "shell/CMainFrame.h"
#include "shell/CSuiviTravailQt.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"

using Suppression = AvecNorvanel;

TEST_F(Suppression, UneRequeteParLeMenuSansConfirmation)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd1", "cd2"});
    CRequete* cd1 = c->requetes().elementA(0);
    selectionner(static_cast<CDossier*>(cd1));
    const int misesAJour = fenetre().liste().nombreMisesAJour();
    ASSERT_TRUE(actif(cmd::Supprimer));
    executer(cmd::Supprimer);
    EXPECT_TRUE(repondeur->boites.empty());
    ASSERT_EQ(c->requetes().nombre(), 1);
    EXPECT_EQ(c->requetes().elementA(0)->nom(), "cd2");
    EXPECT_EQ(libelles(indexDe(c)), QStringList{QStringLiteral("cd2")});
    EXPECT_TRUE(doc().estModifie());
    // The selection moved to a neighbour, and the list pane lists it.
    CElement* choisi = arbre().noeudSelectionne();
    ASSERT_NE(choisi, nullptr);
    EXPECT_GT(fenetre().liste().nombreMisesAJour(), misesAJour);
    EXPECT_EQ(fenetre().liste().noeudListe(), choisi);
    EXPECT_TRUE(indexDe(choisi).isValid());
    EXPECT_TRUE(arbre().selectionModel()->isSelected(indexDe(choisi)));
}

TEST_F(Suppression, UnClasseurAvecLaToucheSuppr)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd1"});
    selectionner(c);
    QTest::keyClick(&arbre(), Qt::Key_Delete);
    laisserTourner();
    EXPECT_EQ(doc().classeurs().nombre(), 1);
    EXPECT_EQ(libelles(), QStringList{QStringLiteral("Général")});
    EXPECT_TRUE(doc().estModifie());
    EXPECT_FALSE(doc().contientRequete("cd1"));
}

TEST_F(Suppression, RienSansSelectionNiSurUnDossier)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd1"});
    CDossier* sous = ajouterDossier(*c->requetes().elementA(0), "Photos");
    arbre().reconstruire();
    arbre().selectionner(nullptr);
    laisserTourner();
    ASSERT_EQ(arbre().noeudSelectionne(), nullptr);
    EXPECT_FALSE(actif(cmd::Supprimer));
    QTest::keyClick(&arbre(), Qt::Key_Delete);
    laisserTourner();
    EXPECT_EQ(doc().classeurs().nombre(), 2);

    selectionner(sous);
    EXPECT_FALSE(actif(cmd::Supprimer));
    QTest::keyClick(&arbre(), Qt::Key_Delete);
    laisserTourner();
    EXPECT_EQ(c->requetes().elementA(0)->sousDossiers().nombre(), 1);
    EXPECT_FALSE(doc().estModifie());
}

TEST_F(Suppression, PasPendantLEditionDUnLibelle)
{
    CClasseur* c = ajouterClasseur("Disques");
    selectionner(c);
    executer(cmd::Renommer);
    ASSERT_TRUE(arbre().editionLibelleEnCours());
    EXPECT_FALSE(actif(cmd::Supprimer));
    // Delete in the editor deletes a character, not the binder.
    QTest::keyClick(editeurLibelle(), Qt::Key_Delete);
    laisserTourner();
    EXPECT_EQ(doc().classeurs().nombre(), 2);
    QTest::keyClick(editeurLibelle(), Qt::Key_Escape);
}

TEST_F(Suppression, LaToucheSupprSeulementQuandLaCommandeEstActive)
{
    CClasseur* c = ajouterClasseur("Disques", {"cd1"});
    const struct {
        const char* cas;
        std::function<void()> avant;
    } cas[] = {
        // The tree has the focus but the list is the active pane.
        {"liste active", [&] { fenetre().definirPanneauActif(&fenetre().liste()); }},
    };
    for (const auto& k : cas) {
        selectionner(c);
        arbre().setFocus(Qt::OtherFocusReason);
        k.avant();
        ASSERT_FALSE(actif(cmd::Supprimer)) << k.cas;
        QTest::keyClick(&arbre(), Qt::Key_Delete);
        laisserTourner();
        EXPECT_EQ(doc().classeurs().nombre(), 2) << k.cas;
    }
    // Nor while a long operation runs.
    selectionner(c);
    {
        CTravailLong travail(app->suivi(), &cadre());
        QTest::keyClick(&arbre(), Qt::Key_Delete);
    }
    laisserTourner();
    EXPECT_EQ(doc().classeurs().nombre(), 2);
}
