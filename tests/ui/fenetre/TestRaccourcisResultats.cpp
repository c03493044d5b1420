// The main window's keys from a results window: the same commands, with the same
// enabled states, and Ctrl+F brings the quick-search field back.

#include <QApplication>
#include <QTest>
#include <QTreeView>

#include "compare/ui/CComparaisonDlg.h"
#include "shell/CMainFrame.h"
#include "ui/CChampRechercheRapide.h"
#include "model/CClasseur.h"
#include "model/CRequete.h"
#include "ui/CResultatsDlg.h"
#include "ui/IdCommandes.h"
#include "tests/ui/fenetre/AvecNorvanel.h"

namespace {

class RaccourcisResultats : public AvecCatalogue {
protected:
    RaccourcisResultats() : AvecCatalogue("classeur Disques\n  requete CD /media/cd\n    fichier a.txt\n") {}

    // Presses the key in the list of `fenetre`, made active first; the title of each
    // dialog it brings up is noted, and the dialog cancelled.
    std::string presser(CResultatsDlg& fenetre, QKeyCombination touche)
    {
        QStringList dialogues;
        repondeur->autreDialogue = [&](QDialog& d) {
            dialogues << d.windowTitle();
            d.reject();
        };
        fenetre.show();
        fenetre.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&fenetre));
        cadre().mettreAJourCommandes();
        QTest::keyClick(&fenetre.liste(), touche.key(), touche.keyboardModifiers());
        laisserTourner();
        repondeur->autreDialogue = nullptr;
        return dialogues.join(u'|').toStdString();
    }
};

TEST_F(RaccourcisResultats, LesTouchesDeLaFenetrePrincipaleMarchentDansLesResultats)
{
    selectionner(&catalogue.requete("CD"));
    struct SCas {
        QKeyCombination touche;
        std::string dialogues;
    };
    const SCas cas[] = {
        {Qt::Key_F3, "Rechercher"},
        {Qt::Key_F7, "Comparer deux requêtes"},
        {Qt::Key_F4, "Propriétés de la requête \"CD\""},
        // The document windows' panes are not this window's.
        {Qt::Key_F6, ""},
    };
    for (CResultatsDlg* fenetre : {static_cast<CResultatsDlg*>(&app->resultatsRecherche()),
                                   static_cast<CResultatsDlg*>(&app->resultatsComparaison())})
        for (const SCas& c : cas) {
            SCOPED_TRACE(fenetre->windowTitle().toStdString() + " " +
                         QKeySequence(c.touche).toString().toStdString());
            EXPECT_EQ(presser(*fenetre, c.touche), c.dialogues);
            EXPECT_TRUE(fenetre->isVisible());
        }
}

TEST_F(RaccourcisResultats, UneCommandeInactiveLeResteDepuisLesResultats)
{
    // No query selected: "Modifier la requête" is disabled, its key does nothing.
    selectionner(&catalogue.classeur("Disques"));
    ASSERT_FALSE(actif(cmd::ModifierRequete));
    EXPECT_EQ(presser(app->resultatsRecherche(), Qt::CTRL | Qt::Key_M), "");
}

TEST_F(RaccourcisResultats, CtrlFRameneLeChampDeRechercheRapide)
{
    CResultatsDlg& resultats = app->resultatsComparaison();
    presser(resultats, Qt::Key_Down);
    ASSERT_EQ(QApplication::activeWindow(), &resultats);
    presser(resultats, Qt::CTRL | Qt::Key_F);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&cadre()));
    EXPECT_EQ(QApplication::focusWidget(), &cadre().champRechercheRapide());
}

}  // namespace
