// One program per user and display: a later start hands its files through a local
// socket and waits for the running program's answer; that program opens them, or only
// comes forward when given none. Nobody answering, the later start opens them itself.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <chrono>
#include <future>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>

#include "shell/CApp.h"
#include "shell/CChildFrame.h"
#include "shell/CInstanceUnique.h"
#include "shell/CMainFrame.h"

namespace {

// A later start, as another process would do it: it waits for the answer while this
// program's event loop lets the running one answer.
bool transmettreEnParallele(const QString& nom, const QStringList& fichiers)
{
    auto envoi = std::async(std::launch::async, [=] { return CInstanceUnique::transmettre(nom, fichiers); });
    while (envoi.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return envoi.get();
}

} // namespace

TEST(InstanceUnique, LesFichiersTransmisArriventEntiers)
{
    QTemporaryDir d;
    const QString nom = d.filePath(QStringLiteral("n.sock"));
    EXPECT_FALSE(transmettreEnParallele(nom, {}));   // nobody is running
    CInstanceUnique serveur(nom);
    ASSERT_TRUE(serveur.ecouter());
    QSignalSpy recus(&serveur, &CInstanceUnique::fichiersRecus);
    const QStringList fichiers = {QStringLiteral("/home/zoé/été.kbt"), QStringLiteral("/tmp/a b.kbt"),
                                  QStringLiteral("/tmp/deux\nlignes 100%.kbt")};
    // Acknowledged once received.
    ASSERT_TRUE(transmettreEnParallele(nom, fichiers));
    ASSERT_EQ(recus.size(), 1);
    EXPECT_EQ(recus.at(0).at(0).toStringList(), fichiers);

    ASSERT_TRUE(transmettreEnParallele(nom, {}));
    ASSERT_EQ(recus.size(), 2);
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
    EXPECT_TRUE(transmettreEnParallele(nom, {}));
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
    ASSERT_TRUE(transmettreEnParallele(nom, {QStringLiteral("/a.kbt")}));
    EXPECT_EQ(recus.size(), 1);
}

TEST(InstanceUnique, UnProgrammeParAffichage)
{
    QTemporaryDir d;
    const QString x0 = CInstanceUnique::nomPour(d.path(), QStringLiteral("xcb"), QStringLiteral(":0"));
    const QString x1 = CInstanceUnique::nomPour(d.path(), QStringLiteral("xcb"), QStringLiteral(":1"));
    const QStringList noms = {x0, x1,
                              CInstanceUnique::nomPour(d.path(), QStringLiteral("xcb"), QStringLiteral("hote:0.0")),
                              CInstanceUnique::nomPour(d.path(), QStringLiteral("wayland"), QStringLiteral("wayland-0")),
                              CInstanceUnique::nomPour(d.path(), QStringLiteral("wayland"),
                                                       QStringLiteral("/run/user/1000/wayland-0")),
                              CInstanceUnique::nomPour(d.path(), QStringLiteral("offscreen"), QString())};
    for (const QString& nom : noms) {
        EXPECT_EQ(QFileInfo(nom).path(), d.path()) << nom.toStdString();
        EXPECT_FALSE(QFileInfo(nom).fileName().contains(QLatin1Char(':'))) << nom.toStdString();
        EXPECT_EQ(noms.count(nom), 1) << nom.toStdString();
    }
    // Each display's program gets its own display's files only.
    CInstanceUnique premier(x0), second(x1);
    ASSERT_TRUE(premier.ecouter());
    ASSERT_TRUE(second.ecouter());
    QSignalSpy recusPremier(&premier, &CInstanceUnique::fichiersRecus);
    QSignalSpy recusSecond(&second, &CInstanceUnique::fichiersRecus);
    ASSERT_TRUE(transmettreEnParallele(x1, {QStringLiteral("/b.kbt")}));
    EXPECT_EQ(recusSecond.size(), 1);
    EXPECT_TRUE(recusPremier.isEmpty());
}

TEST(InstanceUnique, PersonneNeRepondLeSecondLanceOuvreLuiMeme)
{
    // A program that holds the socket but hangs: it accepts, never answers.
    QTemporaryDir d;
    const QString nom = d.filePath(QStringLiteral("n.sock"));
    QLocalServer muet;
    ASSERT_TRUE(muet.listen(nom));
    EXPECT_FALSE(CInstanceUnique::transmettre(nom, {QStringLiteral("/a.kbt")}));
    // A program that is not ours, answering something else.
    QLocalServer autre;
    const QString nomAutre = d.filePath(QStringLiteral("autre.sock"));
    ASSERT_TRUE(autre.listen(nomAutre));
    QObject::connect(&autre, &QLocalServer::newConnection, [&] {
        QLocalSocket* s = autre.nextPendingConnection();
        s->write("non\n");
        s->flush();
    });
    EXPECT_FALSE(transmettreEnParallele(nomAutre, {QStringLiteral("/a.kbt")}));
}
