// Shift+F10 opens the context menu of the tree, the list and the results window, on
// the current row, as the Menu key does.

#include <QAbstractItemView>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "model/CClasseur.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/Recherche.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "shell/CMainFrame.h"
#include "ui/CResultatsDlg.h"
#include "tests/ui/fenetre/AvecNorvanel.h"
#include "workspace/CContexte.h"
#include "workspace/TravailRecherche.h"

namespace {

class MenuClavier : public AvecNorvanel {
protected:
    // The items of the menu that F10 with `modificateurs` opens in `vue`, without
    // their shortcut texts (none when no menu opens).
    QStringList menuParF10(QAbstractItemView& vue, Qt::KeyboardModifiers modificateurs = Qt::ShiftModifier)
    {
        QStringList textes;
        QTimer::singleShot(200, [&] {
            if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : m->actions())
                    if (!a->isSeparator())
                        textes << a->text().section(QLatin1Char('\t'), 0, 0);
                m->close();
            }
        });
        QTest::keyClick(&vue, Qt::Key_F10, modificateurs);
        laisserTourner(300);
        return textes;
    }
};

TEST_F(MenuClavier, ShiftF10OuvreLeMenuDeLaLigneCourante)
{
    CClasseur* classeur = ajouterClasseur("Disques", {"cd"});
    CRequete* cd = classeur->requetes().elementA(0);
    cd->definirChemin("/media/cd");
    auto* f = CFichier::creer(cd->arene(), cd, "/media/cd/a.jpg");
    cd->fichiers().ajouter(f);
    arbre().reconstruire();
    CCriteres c = CCriteres::pourRecherche();
    c.cible = &doc();
    contexte().criteresRecherche = c;
    reappliquerRecherche(contexte());

    selectionner(cd);
    laisserTourner();
    EXPECT_EQ(menuParF10(arbre()).mid(0, 2),
              (QStringList{QStringLiteral("Nouveau c&lasseur..."), QStringLiteral("&Nouvelle requête...")}));

    // F6 into the list, which gets a row to open the menu on.
    CListeView& liste = fenetre().liste();
    ASSERT_EQ(liste.model()->rowCount(), 1);
    cadre().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre()));
    arbre().setFocus();
    QTest::keyClick(&arbre(), Qt::Key_F6);
    ASSERT_TRUE(liste.hasFocus());
    EXPECT_EQ(menuParF10(liste), (QStringList{QStringLiteral("&Ouvrir"), QStringLiteral("Ouvrir le &dossier contenant"),
                                              QStringLiteral("&Copier le chemin"), QStringLiteral("&Exporter...")}));

    // Likewise Tab into the results.
    CResultatsDlg& fenetreResultats = app->resultatsRecherche();
    QTreeView& resultats = fenetreResultats.liste();
    ASSERT_EQ(resultats.model()->rowCount(), 1);
    fenetreResultats.show();
    fenetreResultats.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenetreResultats));
    resultats.clearFocus();
    resultats.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(menuParF10(resultats).value(0), QStringLiteral("&Localiser"));
    // F10 alone is not the menu key.
    EXPECT_TRUE(menuParF10(resultats, Qt::NoModifier).isEmpty());
}

} // namespace
