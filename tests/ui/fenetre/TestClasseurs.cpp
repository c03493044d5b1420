// New binders: named "Classeur", "Classeur 2"..., selected and put in label editing at
// once; the name typed then renames them.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QLineEdit>
#include <QTest>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CMainFrame.h"
#include "ui/IdCommandes.h"

using NouveauClasseur = AvecNorvanel;

TEST_F(NouveauClasseur, NommeClasseurSelectionneEtEnEditionSansModifierLeDocument)
{
    executer(cmd::NouveauClasseur);
    ASSERT_EQ(doc().classeurs().nombre(), 2);
    CClasseur* c = doc().classeurs().elementA(1);
    EXPECT_EQ(c->nom(), "Classeur");
    EXPECT_EQ(arbre().noeudSelectionne(), c);
    QLineEdit* e = editeurLibelle();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text(), QStringLiteral("Classeur"));
    EXPECT_TRUE(arbre().editionLibelleEnCours());
    EXPECT_FALSE(doc().estModifie());
    // Escape leaves the name as it was.
    QTest::keyClick(e, Qt::Key_Escape);
    laisserTourner();
    EXPECT_FALSE(arbre().editionLibelleEnCours());
    EXPECT_EQ(c->nom(), "Classeur");
    EXPECT_FALSE(doc().estModifie());

    executer(cmd::NouveauClasseur);
    EXPECT_EQ(doc().classeurs().elementA(2)->nom(), "Classeur 2");
    QTest::keyClick(editeurLibelle(), Qt::Key_Escape);
    laisserTourner();
    EXPECT_EQ(libelles(), (QStringList{QStringLiteral("Classeur"), QStringLiteral("Classeur 2"),
                                       QStringLiteral("Général")}));
}

TEST_F(NouveauClasseur, LeNomTapeLeRenommeEtLeTrieParmiLesAutres)
{
    executer(cmd::NouveauClasseur);
    validerLibelle(QStringLiteral("Été 2003"));
    CClasseur* c = doc().classeurs().elementA(1);
    EXPECT_EQ(c->nom(), "Été 2003");
    EXPECT_TRUE(doc().estModifie());
    // Accents and case aside: "Été" sorts with the e's, before "Général".
    EXPECT_EQ(libelles(), (QStringList{QStringLiteral("Été 2003"), QStringLiteral("Général")}));
    EXPECT_EQ(arbre().noeudSelectionne(), c);
    EXPECT_TRUE(repondeur->boites.empty());
}

TEST_F(NouveauClasseur, LeClasseurDeLaSelectionEstEnGras)
{
    CClasseur* general = doc().classeurs().elementA(0);
    CClasseur* autre = ajouterClasseur("Disques", {"cd"});
    selectionner(static_cast<CDossier*>(autre->requetes().elementA(0)));
    EXPECT_TRUE(indexDe(autre).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(indexDe(general).data(Qt::FontRole).value<QFont>().bold());
    selectionner(general);
    EXPECT_FALSE(indexDe(autre).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(indexDe(general).data(Qt::FontRole).value<QFont>().bold());
}

TEST_F(NouveauClasseur, CtrlCCreeUnClasseurDepuisLeClavier)
{
    cadre().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre()));
    arbre().setFocus();
    QTest::keyClick(&arbre(), Qt::Key_C, Qt::ControlModifier);
    laisserTourner();
    EXPECT_EQ(doc().classeurs().nombre(), 2);
    ASSERT_NE(editeurLibelle(), nullptr);
    // In the editor, Ctrl+C copies the text: no second binder.
    QTest::keyClick(editeurLibelle(), Qt::Key_C, Qt::ControlModifier);
    laisserTourner();
    EXPECT_EQ(doc().classeurs().nombre(), 2);
    QTest::keyClick(editeurLibelle(), Qt::Key_Escape);
}
