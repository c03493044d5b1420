// A text cut by its column or by the pane shows whole in a tooltip: the tree's labels,
// the list's cells and headers, the results window's cells. One that fits shows none.

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QSplitter>
#include <QToolTip>
#include <QTreeView>

#include "model/CClasseur.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "search/Recherche.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "ui/CResultatsDlg.h"
#include "tests/ui/fenetre/AvecNorvanel.h"
#include "workspace/CContexte.h"
#include "workspace/TravailRecherche.h"

namespace {

class Infobulles : public AvecNorvanel {
protected:
    // The tooltip a pause of the pointer at `point` of `zone` shows, or "".
    QString infobulle(QWidget& zone, QPoint point)
    {
        QToolTip::hideText();
        laisserTourner(400); // the tip fades out on a timer
        QHelpEvent aide(QEvent::ToolTip, point, zone.mapToGlobal(point));
        QApplication::sendEvent(&zone, &aide);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    QString infobulleCellule(QTreeView& vue, int colonne)
    {
        return infobulle(*vue.viewport(), vue.visualRect(vue.model()->index(0, colonne)).center());
    }
    QString infobulleEnTete(QTreeView& vue, int colonne)
    {
        QHeaderView& entete = *vue.header();
        return infobulle(*entete.viewport(), QPoint(entete.sectionViewportPosition(colonne) + 2, entete.height() / 2));
    }
};

TEST_F(Infobulles, TexteEntierSeulementQuandIlEstCoupe)
{
    const QString nom = QStringLiteral("un nom de fichier bien trop long pour sa colonne.jpg");
    const QString classeur = QStringLiteral("Un classeur au nom bien trop long pour le panneau de gauche");
    CClasseur* long_ = ajouterClasseur(classeur.toStdString(), {"cd"});
    CRequete* cd = long_->requetes().elementA(0);
    cd->definirChemin("/media/cd");
    cd->fichiers().ajouter(CFichier::creer(cd->arene(), cd, "/media/cd/" + nom.toStdString()));
    arbre().reconstruire();
    CCriteres c = CCriteres::pourRecherche();
    c.cible = &doc();
    contexte().criteresRecherche = c;
    reappliquerRecherche(contexte());
    app->afficherResultatsRecherche();
    selectionner(cd);
    laisserTourner();

    for (QTreeView* vue : {static_cast<QTreeView*>(&fenetre().liste()), &app->resultatsRecherche().liste()}) {
        SCOPED_TRACE(vue->objectName().toStdString());
        ASSERT_EQ(vue->model()->rowCount(), 1);
        const QString entete = vue->model()->headerData(0, Qt::Horizontal).toString();
        vue->header()->resizeSection(0, 12);
        EXPECT_EQ(infobulleCellule(*vue, 0), nom);
        EXPECT_EQ(infobulleEnTete(*vue, 0), entete);
        vue->header()->resizeSection(0, 600);
        EXPECT_EQ(infobulleCellule(*vue, 0), QString());
        EXPECT_EQ(infobulleEnTete(*vue, 0), QString());
    }

    // The tree does not cut its labels: the pane does, when it is narrow.
    QSplitter& separateur = fenetre().separateur();
    const QModelIndex racine = indexDe(long_);
    ASSERT_EQ(racine.data().toString(), classeur);
    separateur.setSizes({60, 600});
    laisserTourner();
    EXPECT_EQ(infobulle(*arbre().viewport(), arbre().visualRect(racine).topLeft() + QPoint(20, 4)), classeur);
    separateur.setSizes({800, 100});
    laisserTourner();
    EXPECT_EQ(infobulle(*arbre().viewport(), arbre().visualRect(racine).topLeft() + QPoint(20, 4)), QString());
}

} // namespace
