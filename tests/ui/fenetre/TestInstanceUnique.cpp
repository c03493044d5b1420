// One program per user: a later start hands its files through a local socket; the
// running program opens them, or only comes forward when given none.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>

#include "shell/CApp.h"
#include "shell/CChildFrame.h"
#include "shell/CInstanceUnique.h"
#include "shell/CMainFrame.h"

TEST(InstanceUnique, LesFichiersTransmisArriventEntiers)
{
    QTemporaryDir d;
    const QString nom = d.filePath(QStringLiteral("n.sock"));
    EXPECT_FALSE(CInstanceUnique::transmettre(nom, {}));   // nobody is running
    CInstanceUnique serveur(nom);
    ASSERT_TRUE(serveur.ecouter());
    QSignalSpy recus(&serveur, &CInstanceUnique::fichiersRecus);
    const QStringList fichiers = {QStringLiteral("/home/zoé/été.kbt"), QStringLiteral("/tmp/a b.kbt")};
    ASSERT_TRUE(CInstanceUnique::transmettre(nom, fichiers));
    ASSERT_TRUE(recus.wait(2000));
    EXPECT_EQ(recus.at(0).at(0).toStringList(), fichiers);

    ASSERT_TRUE(CInstanceUnique::transmettre(nom, {}));
    ASSERT_TRUE(recus.wait(2000));
    EXPECT_TRUE(recus.at(1).at(0).toStringList().isEmpty());
}

TEST(InstanceUnique, UnMessageQuiNEstPasDeNousEstIgnore)
{
    QTemporaryDir d;
    const QString nom = d.filePath(QStringLiteral("n.sock"));
    CInstanceUnique serveur(nom);
    ASSERT_TRUE(serveur.ecouter());
    QSignalSpy recus(&serveur, &CInstanceUnique::fichiersRecus);
    {
        QLocalSocket s;
        s.connectToServer(nom);
        ASSERT_TRUE(s.waitForConnected(2000));
        s.write("relatif/chemin.kbt");   // no end of line, no absolute path
        s.waitForBytesWritten(2000);
        s.disconnectFromServer();
    }
    EXPECT_FALSE(recus.wait(300));
}

TEST(InstanceUnique, UneSocketAbandonneeEstReprise)
{
    QTemporaryDir d;
    const QString nom = d.filePath(QStringLiteral("n.sock"));
    {
        // A file left where the socket goes, as by a program that crashed.
        QFile f(nom);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    CInstanceUnique serveur(nom);
    EXPECT_TRUE(serveur.ecouter());
    EXPECT_TRUE(CInstanceUnique::transmettre(nom, {}));
}

using Transmission = AvecNorvanel;

TEST_F(Transmission, LeProgrammeOuvreLesFichiersQuOnLuiConfie)
{
    const QString a = creerCatalogue(QStringLiteral("a.kbt"), {QStringLiteral("Un")});
    app->ouvrirFichiersTransmis({a});
    ASSERT_EQ(cadre().cadres().size(), 2);
    EXPECT_EQ(fenetre().titre(), QStringLiteral("a.kbt"));
    // Again: the window comes forward, no second one.
    cadre().cadres().first()->afficherMaximise();
    app->ouvrirFichiersTransmis({a});
    EXPECT_EQ(cadre().cadres().size(), 2);
    EXPECT_EQ(fenetre().titre(), QStringLiteral("a.kbt"));
    // None: only comes forward.
    app->ouvrirFichiersTransmis({});
    EXPECT_EQ(cadre().cadres().size(), 2);
    EXPECT_TRUE(cadre().isVisible());
}

TEST(InstanceUnique, UnSecondServeurNeVolePasLaSocketDuPremier)
{
    QTemporaryDir d;
    const QString nom = d.filePath(QStringLiteral("n.sock"));
    CInstanceUnique premier(nom);
    ASSERT_TRUE(premier.ecouter());
    CInstanceUnique second(nom);
    EXPECT_FALSE(second.ecouter());
    QSignalSpy recus(&premier, &CInstanceUnique::fichiersRecus);
    ASSERT_TRUE(CInstanceUnique::transmettre(nom, {QStringLiteral("/a.kbt")}));
    EXPECT_TRUE(recus.wait(2000));
}
