// Dragging queries in the tree: a drop moves the query to the binder of the item
// under the pointer; with Ctrl it copies it there under the first free name; on its
// own binder without Ctrl nothing happens. The snapshot is never scanned again.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CModeleArbre.h"
#include "shell/CListeView.h"

namespace {

class Glisser : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        source = ajouterClasseur("Source", {"cd"});
        cd = source->requetes().elementA(0);
        fichier = CFichier::creer(cd->arene(), cd, "/media/cd/a.txt");
        cd->fichiers().ajouter(fichier);
        cible = ajouterClasseur("Cible", {"dvd"});
        dossierCible = ajouterDossier(*cible->requetes().elementA(0), "Photos");
        arbre().reconstruire();
        laisserTourner();
    }
    void TearDown() override
    {
        CArboView::definirRequeteGlissee(nullptr);
        AvecNorvanel::TearDown();
    }

    // Drops the dragged query on the item of `sur` as the platform would deliver it.
    void deposerSur(const CElement* sur, Qt::KeyboardModifiers touches)
    {
        CArboView::definirRequeteGlissee(cd);
        CArboView& a = arbre();
        const QModelIndex i = indexDe(sur);
        a.scrollTo(i);
        const QPoint point = a.visualRect(i).center();
        QMimeData donnees;
        donnees.setData(CModeleArbre::typeMimeRequete(), QByteArrayLiteral("1"));
        const Qt::DropAction action = touches & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction;
        QDragEnterEvent entree(point, Qt::MoveAction | Qt::CopyAction, &donnees, Qt::LeftButton, touches);
        QApplication::sendEvent(a.viewport(), &entree);
        EXPECT_TRUE(entree.isAccepted());
        QDragMoveEvent survol(point, Qt::MoveAction | Qt::CopyAction, &donnees, Qt::LeftButton, touches);
        QApplication::sendEvent(a.viewport(), &survol);
        EXPECT_TRUE(survol.isAccepted());
        EXPECT_EQ(a.modele().cibleDepot(), CModeleArbre::itemNiveauRacine(a.modele().item(i)));
        QDropEvent depot(QPointF(point), Qt::MoveAction | Qt::CopyAction, &donnees, Qt::LeftButton, touches);
        depot.setDropAction(action);
        QApplication::sendEvent(a.viewport(), &depot);
        CArboView::definirRequeteGlissee(nullptr);
        EXPECT_EQ(a.modele().cibleDepot(), nullptr);
        laisserTourner();
    }

    CClasseur* source = nullptr;
    CClasseur* cible = nullptr;
    CRequete* cd = nullptr;
    CFichier* fichier = nullptr;
    CDossier* dossierCible = nullptr;
};

TEST_F(Glisser, DeposeeSurUnDossierDUnAutreClasseurLaRequeteYPasse)
{
    deposerSur(dossierCible, Qt::NoModifier);
    EXPECT_TRUE(source->requetes().estVide());
    ASSERT_EQ(cible->requetes().nombre(), 2);
    EXPECT_EQ(cd->classeur(), cible);
    EXPECT_TRUE(libelles(indexDe(source)).isEmpty());
    EXPECT_EQ(libelles(indexDe(cible)), (QStringList{QStringLiteral("cd"), QStringLiteral("dvd")}));
    EXPECT_EQ(arbre().noeudSelectionne(), static_cast<CElement*>(static_cast<CDossier*>(cd)));
    EXPECT_EQ(fenetre().liste().noeudListe(), static_cast<CElement*>(static_cast<CDossier*>(cd)));
    // The same snapshot, not scanned again.
    EXPECT_EQ(cd->fichiers().elementA(0), fichier);
    EXPECT_TRUE(doc().estModifie());
}

TEST_F(Glisser, SurSonPropreClasseurSansCtrlRienNeChange)
{
    deposerSur(source, Qt::NoModifier);
    EXPECT_EQ(source->requetes().nombre(), 1);
    EXPECT_EQ(cd->classeur(), source);
    EXPECT_FALSE(doc().estModifie());
}

TEST_F(Glisser, AvecCtrlUneCopieSousLePremierNomLibre)
{
    deposerSur(source, Qt::ControlModifier);
    ASSERT_EQ(source->requetes().nombre(), 2);
    CRequete* copie = source->requetes().elementA(1);
    EXPECT_NE(copie, cd);
    // Names stay unique in a document: the rename check and the search rely on it.
    EXPECT_EQ(copie->nom(), "cd 2");
    EXPECT_EQ(copie->classeur(), source);
    EXPECT_EQ(copie->chemin(), cd->chemin());
    ASSERT_EQ(copie->fichiers().nombre(), 1);
    EXPECT_NE(copie->fichiers().elementA(0), fichier);
    EXPECT_EQ(copie->fichiers().elementA(0)->chemin(), fichier->chemin());
    EXPECT_EQ(libelles(indexDe(source)), (QStringList{QStringLiteral("cd"), QStringLiteral("cd 2")}));
    EXPECT_EQ(arbre().noeudSelectionne(), static_cast<CElement*>(static_cast<CDossier*>(copie)));
    EXPECT_TRUE(doc().estModifie());

    // And a copy into another binder.
    deposerSur(cible, Qt::ControlModifier);
    EXPECT_EQ(cible->requetes().nombre(), 2);
    EXPECT_EQ(cible->requetes().elementA(1)->nom(), "cd 3");
    EXPECT_EQ(source->requetes().nombre(), 2);
}

TEST_F(Glisser, SeulesLesRequetesSeGlissent)
{
    const auto drapeaux = [&](const CElement* n) { return arbre().model()->flags(indexDe(n)); };
    EXPECT_TRUE(drapeaux(static_cast<CDossier*>(cd)) & Qt::ItemIsDragEnabled);
    EXPECT_FALSE(drapeaux(source) & Qt::ItemIsDragEnabled);
    EXPECT_FALSE(drapeaux(dossierCible) & Qt::ItemIsDragEnabled);
    // Without a query being dragged, a drop does nothing.
    QMimeData donnees;
    donnees.setData(CModeleArbre::typeMimeRequete(), QByteArrayLiteral("1"));
    const QPoint point = arbre().visualRect(indexDe(cible)).center();
    QDropEvent depot(QPointF(point), Qt::MoveAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(arbre().viewport(), &depot);
    EXPECT_FALSE(depot.isAccepted());
    EXPECT_EQ(cd->classeur(), source);
}

} // namespace
