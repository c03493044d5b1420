// Opening from the list pane: double-click, Enter, "&Ouvrir" and "Ouvrir le &dossier
// contenant", the context menu, and the disk asked for when the path is not there. A
// stand-in "xdg-open" first in PATH records what the desktop would have been given.

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "model/CClasseur.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CListeView.h"
#include "shell/CMainFrame.h"
#include "shell/CModeleListe.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"
#include "tests/commun/CitationShell.h"
#include "tests/ui/fenetre/AvecNorvanel.h"

namespace {

class ListeOuverture : public AvecNorvanel {
protected:
    void SetUp() override
    {
        AvecNorvanel::SetUp();
        ancienPath = qgetenv("PATH");
        const QString script = chemin(QStringLiteral("outils/xdg-open"));
        creerFichier(QStringLiteral("outils/xdg-open"),
                     QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> %1\n")
                         .arg(QString::fromStdString(citerPourShell(chemin(QStringLiteral("ouverts")).toStdString())))
                         .toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", chemin(QStringLiteral("outils")).toUtf8() + ':' + ancienPath);

        // A query over a real folder of the test: a file at its root and one in "sous".
        creerFichier(QStringLiteral("disque/lisez-moi.txt"));
        creerFichier(QStringLiteral("disque/sous/photo.jpg"));
        classeur = ajouterClasseur("Disques", {"cd"});
        q = classeur->requetes().elementA(0);
        q->definirChemin(chemin(QStringLiteral("disque")).toStdString());
        q->nomVolume = "MON_DISQUE";
        q->fichiers().ajouter(CFichier::creer(q->arene(), q, q->chemin() + "/lisez-moi.txt"));
        CDossier* sous = ajouterDossier(*q, "sous");
        sous->fichiers().ajouter(CFichier::creer(sous->arene(), sous, sous->chemin() + "/photo.jpg"));
        arbre().reconstruire();
    }
    void TearDown() override
    {
        qputenv("PATH", ancienPath);
        AvecNorvanel::TearDown();
    }

    CListeView& liste() { return fenetre().liste(); }

    // The paths given to the desktop so far, waiting a little for the last one.
    // "Ouvrir" on the first row, with an opener that takes its time (it waits until the
    // test creates "feu"), notes what it was given in "ouverts", then fails.
    void ouvrirAvecUnOuvreurLent()
    {
        const auto cite = [this](const char* nom) {
            return QString::fromStdString(citerPourShell(chemin(QString::fromUtf8(nom)).toStdString()));
        };
        creerFichier(QStringLiteral("outils/xdg-open"),
                     QStringLiteral("#!/bin/sh\nwhile [ ! -e %1 ]; do sleep 0.02; done\nprintf '%s\\n' \"$1\" >> %2\nexit 3\n")
                         .arg(cite("feu"), cite("ouverts"))
                         .toUtf8());
        selectionner(static_cast<CDossier*>(q));
        cliquerLigne(0);
        executer(cmd::OuvrirElement);
    }

    QStringList ouverts(int attendus)
    {
        QStringList lignes;
        for (int i = 0; i < 200; ++i) {
            QFile f(chemin(QStringLiteral("ouverts")));
            if (f.open(QIODevice::ReadOnly))
                lignes = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
            if (lignes.size() >= attendus)
                break;
            laisserTourner(10);
        }
        return lignes;
    }

    QPoint centreLigne(int rang) { return liste().visualRect(liste().modele().index(rang, 0)).center(); }
    void cliquerLigne(int rang)
    {
        QTest::mouseClick(liste().viewport(), Qt::LeftButton, {}, centreLigne(rang));
        laisserTourner();
    }
    QPoint videSousLesLignes()
    {
        return QPoint(5, liste().viewport()->height() - 5);
    }

    QByteArray ancienPath;
    CClasseur* classeur = nullptr;
    CRequete* q = nullptr;
};

TEST_F(ListeOuverture, DoubleClicEtEntreeOuvrentLeFichier)
{
    executer(cmd::SousDossiers);
    selectionner(static_cast<CDossier*>(q));
    ASSERT_EQ(liste().modele().rowCount(), 2);
    liste().resize(600, 400);
    cliquerLigne(1);
    EXPECT_FALSE(fenetre().arbreActif());
    const QString photo = chemin(QStringLiteral("disque/sous/photo.jpg"));
    ASSERT_EQ(liste().noeudSelectionne()->commeFichier()->chemin(), photo.toStdString());
    QTest::mouseDClick(liste().viewport(), Qt::LeftButton, {}, centreLigne(1));
    EXPECT_EQ(ouverts(1), QStringList{photo});
    QTest::keyClick(&liste(), Qt::Key_Return);
    EXPECT_EQ(ouverts(2), (QStringList{photo, photo}));
    EXPECT_TRUE(repondeur->boites.empty());
}

TEST_F(ListeOuverture, LesCommandesDeLaListeVisentLaLigneChoisie)
{
    executer(cmd::SousDossiers);
    selectionner(static_cast<CDossier*>(q));
    cliquerLigne(1);
    EXPECT_TRUE(actif(cmd::OuvrirElement));
    EXPECT_TRUE(actif(cmd::OuvrirDossierContenant));
    executer(cmd::OuvrirDossierContenant);
    EXPECT_EQ(ouverts(1), QStringList{chemin(QStringLiteral("disque/sous"))});
    executer(cmd::OuvrirElement);
    EXPECT_EQ(ouverts(2).last(), chemin(QStringLiteral("disque/sous/photo.jpg")));
}

TEST_F(ListeOuverture, UneRequeteDuClasseurSOuvreEtSonDossierContenantSaufALaRacine)
{
    selectionner(classeur);
    cliquerLigne(0);
    EXPECT_TRUE(actif(cmd::OuvrirDossierContenant));
    executer(cmd::OuvrirElement);
    executer(cmd::OuvrirDossierContenant);
    const QString disque = chemin(QStringLiteral("disque"));
    EXPECT_EQ(ouverts(2), (QStringList{disque, disque}));

    // At the root of a volume there is nothing containing it.
    q->definirChemin("/");
    selectionner(static_cast<CDossier*>(q));
    selectionner(classeur);
    cliquerLigne(0);
    EXPECT_TRUE(actif(cmd::OuvrirElement));
    EXPECT_FALSE(actif(cmd::OuvrirDossierContenant));
}

TEST_F(ListeOuverture, UnCheminAbsentDemandeLeDisqueJusquaAnnuler)
{
    selectionner(static_cast<CDossier*>(q));
    cliquerLigne(0);
    QFile::remove(chemin(QStringLiteral("disque/lisez-moi.txt")));
    // The disk in place is not the recorded one: asked again after OK.
    repondeur->reponses = {QMessageBox::Ok, QMessageBox::Cancel};
    executer(cmd::OuvrirElement);
    ASSERT_EQ(repondeur->boites.size(), 2u);
    EXPECT_TRUE(repondeur->boites[0].texte.contains(QStringLiteral("MON_DISQUE")))
        << repondeur->boites[0].texte.toStdString();
    EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Warning);
    EXPECT_EQ(repondeur->inattendues, 0);
    EXPECT_TRUE(ouverts(0).isEmpty());
}

TEST_F(ListeOuverture, SansLigneChoisieRienNeSePasse)
{
    selectionner(static_cast<CDossier*>(q));
    liste().resize(600, 400);
    // A click on empty space leaves no row chosen.
    cliquerLigne(0);
    QTest::mouseClick(liste().viewport(), Qt::LeftButton, {}, videSousLesLignes());
    laisserTourner();
    EXPECT_EQ(liste().noeudSelectionne(), nullptr);
    EXPECT_FALSE(actif(cmd::OuvrirElement));
    EXPECT_FALSE(actif(cmd::OuvrirDossierContenant));

    QTest::mouseDClick(liste().viewport(), Qt::LeftButton, {}, videSousLesLignes());
    executer(cmd::OuvrirElement);
    // No context menu either.
    bool menuVu = false;
    QTimer::singleShot(200, [&] {
        if (QWidget* m = QApplication::activePopupWidget()) {
            menuVu = true;
            m->close();
        }
    });
    QContextMenuEvent clic(QContextMenuEvent::Mouse, videSousLesLignes(),
                           liste().viewport()->mapToGlobal(videSousLesLignes()));
    QApplication::sendEvent(liste().viewport(), &clic);
    laisserTourner(300);
    EXPECT_FALSE(menuVu);
    laisserTourner(200);
    EXPECT_TRUE(ouverts(0).isEmpty());
}

TEST_F(ListeOuverture, LeMenuContextuelProposeOuvrirParDefaut)
{
    selectionner(static_cast<CDossier*>(q));
    cliquerLigne(0);
    QStringList textes;
    QString parDefaut;
    QTimer::singleShot(200, [&] {
        if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : m->actions())
                textes << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (grisé)"));
            if (m->defaultAction())
                parDefaut = m->defaultAction()->text();
            m->close();
        }
    });
    QContextMenuEvent clic(QContextMenuEvent::Mouse, centreLigne(0), liste().viewport()->mapToGlobal(centreLigne(0)));
    QApplication::sendEvent(liste().viewport(), &clic);
    laisserTourner(300);
    EXPECT_EQ(textes, (QStringList{QStringLiteral("&Ouvrir"), QStringLiteral("Ouvrir le &dossier contenant"), QString(),
                                   QStringLiteral("&Copier le chemin"), QStringLiteral("&Exporter...")}));
    EXPECT_EQ(parDefaut, QStringLiteral("&Ouvrir"));
    EXPECT_EQ(cadre().action(cmd::OuvrirElement)->statusTip(), QStringLiteral("Ouvrir"));
    EXPECT_EQ(cadre().action(cmd::OuvrirDossierContenant)->statusTip(),
              QStringLiteral("Ouvre le dossier contenant cet élément"));
}

TEST_F(ListeOuverture, LeBureauNEstPasAttenduEtSonEchecEstDitEnsuite)
{
    ouvrirAvecUnOuvreurLent();
    // Back while the opener still works: nothing held, no message yet.
    EXPECT_FALSE(CTravailLong::enCours());
    EXPECT_TRUE(actif(cmd::OuvrirElement));
    EXPECT_TRUE(fenetre().isVisible());
    laisserTourner(100);
    EXPECT_TRUE(repondeur->boites.empty());
    EXPECT_TRUE(ouverts(0).isEmpty());

    repondeur->reponses = {QMessageBox::Ok};
    creerFichier(QStringLiteral("feu"));
    const QString lisezMoi = chemin(QStringLiteral("disque/lisez-moi.txt"));
    EXPECT_EQ(ouverts(1), QStringList{lisezMoi});
    for (int i = 0; i < 500 && repondeur->boites.empty(); ++i)
        laisserTourner(10);
    // Its failure comes to the interface thread, once, without asking for the disk.
    ASSERT_EQ(repondeur->boites.size(), 1u);
    EXPECT_TRUE(repondeur->boites[0].texte.startsWith(QStringLiteral("Impossible d'ouvrir « %1 » : ").arg(lisezMoi)))
        << repondeur->boites[0].texte.toStdString();
    EXPECT_EQ(repondeur->boites[0].icone, QMessageBox::Critical);
    EXPECT_EQ(repondeur->inattendues, 0);
}

TEST_F(ListeOuverture, UnEchecQuiArriveQuandLeProgrammeEstFermeNeDitRien)
{
    ouvrirAvecUnOuvreurLent();
    // The program closes, its user with it; then the opener fails.
    app.reset();
    creerFichier(QStringLiteral("feu"));
    EXPECT_EQ(ouverts(1).size(), 1);
    for (int i = 0; i < 20; ++i)
        laisserTourner(10);
    EXPECT_TRUE(repondeur->boites.empty());
}

} // namespace
