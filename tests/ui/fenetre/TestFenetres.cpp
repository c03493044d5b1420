// The document windows: each new one maximised, "&Fractionner" moving the split bar
// from the keyboard, the window menu, and "Filtre recherche" refreshing every open
// document at once.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QMdiArea>
#include <QMenu>
#include <QSplitter>
#include <QTest>

#include "model/CDoc.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CListeView.h"
#include "ui/IdCommandes.h"
#include "workspace/CContexte.h"

using Fenetres = AvecNorvanel;

TEST_F(Fenetres, ChaqueNouvelleFenetreEstMaximiseeMemeApresUneRestauree)
{
    fenetre().showNormal();
    laisserTourner();
    executer(cmd::Nouveau);
    ASSERT_EQ(cadre().cadres().size(), 2);
    EXPECT_TRUE(fenetre().isMaximized());
    EXPECT_EQ(fenetre().titre(), QStringLiteral("Liste2"));
    EXPECT_EQ(fenetre().separateur().sizes().value(0), 150);
}

TEST_F(Fenetres, FractionnerDeplaceLaBarreAuClavierEntreeGardeEchapRemet)
{
    QSplitter& s = fenetre().separateur();
    const int depart = s.sizes().value(0);
    executer(cmd::Fractionner);
    ASSERT_TRUE(fenetre().fractionnementEnCours());
    EXPECT_FALSE(actif(cmd::Fractionner));
    QWidget* poignee = s.handle(1);
    QTest::keyClick(poignee, Qt::Key_Right);
    QTest::keyClick(poignee, Qt::Key_Right);
    EXPECT_EQ(s.sizes().value(0), depart + 16);
    QTest::keyClick(poignee, Qt::Key_Escape);
    EXPECT_FALSE(fenetre().fractionnementEnCours());
    EXPECT_EQ(s.sizes().value(0), depart);

    executer(cmd::Fractionner);
    QTest::keyClick(poignee, Qt::Key_Left);
    QTest::keyClick(poignee, Qt::Key_Return);
    EXPECT_FALSE(fenetre().fractionnementEnCours());
    EXPECT_EQ(s.sizes().value(0), depart - 8);
    // Still two panes.
    EXPECT_EQ(s.count(), 2);
}

TEST_F(Fenetres, LeMenuFenetreRangeEtListeLesFenetres)
{
    executer(cmd::Nouveau);
    executer(cmd::Cascade);
    EXPECT_FALSE(fenetre().isMaximized());
    executer(cmd::Mosaique);
    EXPECT_FALSE(fenetre().isMaximized());
    fenetre().showMinimized();
    executer(cmd::ReorganiserIcones);
    EXPECT_TRUE(actif(cmd::ReorganiserIcones));

    QMenu* menu = cadre().menuFenetre();
    emit menu->aboutToShow();
    QStringList textes;
    for (QAction* a : menu->actions())
        textes.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(textes, (QStringList{QStringLiteral("&Cascade"), QStringLiteral("&Mosaïque"),
                                   QStringLiteral("&Réorganiser les icônes"), QStringLiteral("-"),
                                   QStringLiteral("&1 Liste1"), QStringLiteral("&2 Liste2")}));
    // Choosing a window brings it forward, maximised.
    menu->actions().at(4)->trigger();
    laisserTourner();
    EXPECT_EQ(fenetre().titre(), QStringLiteral("Liste1"));
    EXPECT_TRUE(fenetre().isMaximized());
}

TEST_F(Fenetres, LeFiltreRechercheRafraichitChaqueDocumentOuvert)
{
    executer(cmd::Nouveau);
    QList<int> avant;
    for (CChildFrame* c : cadre().cadres())
        avant.append(c->liste().nombreMisesAJour());
    ASSERT_FALSE(coche(cmd::FiltreRecherche));
    executer(cmd::FiltreRecherche);
    EXPECT_TRUE(contexte().filtreRecherche);
    EXPECT_TRUE(coche(cmd::FiltreRecherche));
    const QList<CChildFrame*> cadres = cadre().cadres();
    for (int i = 0; i < cadres.size(); ++i)
        EXPECT_EQ(cadres[i]->liste().nombreMisesAJour(), avant[i] + 1) << i;
    executer(cmd::FiltreRecherche);
    EXPECT_FALSE(contexte().filtreRecherche);

    // With no document open too.
    for (CChildFrame* c : cadre().cadres())
        c->close();
    laisserTourner();
    EXPECT_TRUE(actif(cmd::FiltreRecherche));
    executer(cmd::FiltreRecherche);
    EXPECT_TRUE(contexte().filtreRecherche);
}

TEST_F(Fenetres, LeDocumentActifDonneSonClasseurAuxNouvellesRequetes)
{
    executer(cmd::Nouveau);
    CDoc& second = doc();
    EXPECT_TRUE(second.contientClasseur(contexte().classeurCourant));
    EXPECT_TRUE(actif(cmd::NouvelleRequete));
    // Back to the first: its own binder again.
    CChildFrame* premier = cadre().cadres().first();
    premier->afficherMaximise();
    laisserTourner();
    EXPECT_TRUE(premier->document().contientClasseur(contexte().classeurCourant));
    EXPECT_TRUE(actif(cmd::NouvelleRequete));
}
