// Catalogue files dropped on the main window open as documents; a file that cannot be
// read says so and opens nothing.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"

namespace {

bool deposer(QWidget& cible, const QStringList& fichiers)
{
    QMimeData donnees;
    QList<QUrl> urls;
    for (const QString& f : fichiers)
        urls.append(QUrl::fromLocalFile(f));
    donnees.setUrls(urls);
    const QPoint point = cible.rect().center();
    QDragEnterEvent entree(point, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&cible, &entree);
    if (!entree.isAccepted())
        return false;
    QDropEvent depot(QPointF(point), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&cible, &depot);
    return depot.isAccepted();
}

} // namespace

using Depot = AvecNorvanel;

TEST_F(Depot, DesFichiersDeposesSOuvrentChacunDansSaFenetre)
{
    const QString a = creerCatalogue(QStringLiteral("a.kbt"), {QStringLiteral("Un")});
    const QString b = creerCatalogue(QStringLiteral("b.kbt"), {QStringLiteral("Deux")});
    ASSERT_TRUE(deposer(cadre(), {a, b}));
    laisserTourner();
    ASSERT_EQ(cadre().cadres().size(), 3);
    EXPECT_EQ(cadre().cadres().at(1)->titre(), QStringLiteral("a.kbt"));
    EXPECT_EQ(cadre().cadres().at(2)->titre(), QStringLiteral("b.kbt"));
    EXPECT_EQ(libelles(), QStringList{QStringLiteral("Deux")});
    EXPECT_TRUE(fenetre().isMaximized());
}

TEST_F(Depot, UnFichierDeposeSurLArbreVaAussiALaFenetrePrincipale)
{
    const QString a = creerCatalogue(QStringLiteral("a.kbt"), {QStringLiteral("Un")});
    // The tree takes only its own queries: the files go on to the main window.
    QMimeData donnees;
    donnees.setUrls({QUrl::fromLocalFile(a)});
    QWidget* vue = fenetre().findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
    ASSERT_NE(vue, nullptr);
    QDragEnterEvent entree(vue->rect().center(), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vue, &entree);
    EXPECT_TRUE(entree.isAccepted());
    QDropEvent depot(QPointF(vue->rect().center()), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vue, &depot);
    laisserTourner();
    EXPECT_EQ(cadre().cadres().size(), 2);
}

TEST_F(Depot, UnFichierQuiNEstPasUnCatalogueLeDit)
{
    creerFichier(QStringLiteral("photo.jpg"), QByteArray(300, 'x'));
    repondeur->reponses.push_back(QMessageBox::Ok);
    ASSERT_TRUE(deposer(cadre(), {chemin(QStringLiteral("photo.jpg"))}));
    laisserTourner();
    EXPECT_EQ(cadre().cadres().size(), 1);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_TRUE(repondeur->boites[0].texte.contains(QStringLiteral("photo.jpg")));
}
