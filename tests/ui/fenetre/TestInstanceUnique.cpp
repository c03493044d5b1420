// One program per user and display: a later start hands its files through a local
// socket and waits for the running program's answer; that program opens them, or only
// comes forward when given none. Nobody answering, the later start opens them itself.
// Another user neither takes our files nor hands us any; a flood of requests is handled
// one after the other, its failures told in one message.

#include "tests/ui/fenetre/AvecNorvanel.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <optional>
#include <random>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QSignalSpy>

#include "platform/linux/DossierPrive.h"
#include "shell/CApp.h"
#include "shell/CChildFrame.h"
#include "shell/CInstanceUnique.h"
#include "shell/CMainFrame.h"
#include "shell/CSuiviTravailQt.h"
#include "shell/LigneCommande.h"
#include "tests/ui/fenetre/ProcessusOrdinaire.h"
#include "ui/CTravailLong.h"

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

// Files handed over are given out from the event loop, after the acknowledgement:
// waits until `n` handings have come (five seconds at most).
bool attendreRemises(QSignalSpy& recus, int n)
{
    for (int i = 0; i < 500 && recus.size() < n; ++i)
        recus.wait(10);
    return recus.size() == n;
}

// An abstract name no other test uses.
QString nomAbstrait()
{
    return QStringLiteral("norvanel-test-%1-%2").arg(::getpid()).arg(std::random_device{}());
}

// Another user's program at the other end, speaking plain sockets as a hostile one
// would: it listens on the name, takes one connection, answers "ok" and says how many
// bytes came; or it connects, hands a path over and says what came back.
const char* const kEcouteEtrangere = R"(import socket, sys
n = sys.argv[1]; s = socket.socket(socket.AF_UNIX); s.bind(n if n[0] == '/' else '\0' + n); s.listen()
print('pret', flush=True); s.settimeout(5); c = s.accept()[0]; c.settimeout(0.5); r = b''
try: r = c.recv(65536); c.send(b'ok\n')
except OSError: pass
print('recu=%d' % len(r)))";
const char* const kEnvoiEtranger = R"(import socket, sys
n = sys.argv[1]; s = socket.socket(socket.AF_UNIX); s.connect(n if n[0] == '/' else '\0' + n)
s.send(b'/tmp/piege.kbt\n\n'); s.settimeout(1); r = b''
try: r = s.recv(100)
except OSError: pass
print('reponse=' + r.decode()))";

// The deepest message boxes ever were on screen one within the other.
struct SProfondeurBoites : QObject {
    int profondeur = 0, maximum = 0;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (qobject_cast<QMessageBox*>(o) && (e->type() == QEvent::Show || e->type() == QEvent::Hide))
            maximum = std::max(maximum, profondeur += e->type() == QEvent::Show ? 1 : -1);
        return false;
    }
};

} // namespace

TEST(InstanceUnique, UnAutreUtilisateurNePrendNiNeDonneRien)
{
    // Through env, so that the other user finds a python3 it may run.
    const auto env = trouverProgramme("env");
    if (::geteuid() != 0 || !env || !trouverProgramme("python3") || !commeUtilisateurOrdinaire({"x"}))
        GTEST_SKIP() << "il faut être root, avec setpriv et python3, pour lancer un programme d'un autre utilisateur";
    // Its listener on our name, abstract or in a folder open to all: our files never reach it.
    QTemporaryDir ouvert;
    ::chmod(ouvert.path().toLocal8Bit().constData(), 01777);
    for (const QString& nom : {nomAbstrait(), ouvert.filePath(QStringLiteral("n.sock"))}) {
        QProcess ecoute;
        ASSERT_TRUE(demarrerCommeUtilisateurOrdinaire(ecoute, {*env, "python3", "-c", kEcouteEtrangere, nom.toStdString()}));
        ASSERT_TRUE(ecoute.waitForReadyRead(5000)) << nom.toStdString();
        EXPECT_FALSE(CInstanceUnique::transmettre(nom, {QStringLiteral("/home/alice/private/salaires.kbt")}));
        EXPECT_EQ(sortieALaFin(ecoute), "pret\nrecu=0\n") << nom.toStdString();
    }
    // Its files, handed to our program: neither taken nor acknowledged.
    const QString nom = nomAbstrait();
    CInstanceUnique serveur(nom);
    ASSERT_TRUE(serveur.ecouter());
    QSignalSpy recus(&serveur, &CInstanceUnique::fichiersRecus);
    QProcess envoi;
    ASSERT_TRUE(demarrerCommeUtilisateurOrdinaire(envoi, {*env, "python3", "-c", kEnvoiEtranger, nom.toStdString()}));
    EXPECT_EQ(sortieALaFin(envoi), "reponse=\n");
    EXPECT_FALSE(recus.wait(300));
}

TEST(InstanceUnique, LaSocketVaDansUnDossierANousSeulsSinonSousUnNomAbstrait)
{
    QTemporaryDir d;
    const auto sous = [&](const char* nom) { return d.filePath(QString::fromLatin1(nom)).toStdString(); };
    const std::string bon = sous("bon"), ouvert = sous("ouvert"), autre = sous("autre"), lien = sous("lien");
    ::mkdir(bon.c_str(), 0700);
    ::mkdir(ouvert.c_str(), 0755);
    ::mkdir(autre.c_str(), 0700);
    const bool autreAUnAutre = ::geteuid() == 0 && ::chown(autre.c_str(), kUtilisateurOrdinaire, kUtilisateurOrdinaire) == 0;
    ::symlink(bon.c_str(), lien.c_str());
    // Made 0700 when missing; refused ones are left as they were: their owner may
    // still put things in them.
    const std::tuple<std::string, bool, mode_t> cas[] = {{sous("nouveau"), true, 0700}, {bon, true, 0700},
                                                         {ouvert, false, 0755}, {lien, false, 0700},
                                                         {autre, !autreAUnAutre, 0700}};
    for (const auto& [chemin, accepte, mode] : cas) {
        EXPECT_EQ(preparerDossierPrive(chemin), accepte) << chemin;
        struct stat st {};
        EXPECT_TRUE(::stat(chemin.c_str(), &st) == 0 && (st.st_mode & 0777) == mode) << chemin;
    }
    ::rmdir("relatif");
    EXPECT_FALSE(preparerDossierPrive("relatif"));
    EXPECT_NE(::access("relatif", F_OK), 0);  // nothing made where the test runs

    // The runtime folder: ours alone, our folder in it; open, another's, unset (as after
    // su): the abstract name holding our user id, never a shared folder.
    const QByteArray avant = qgetenv("XDG_RUNTIME_DIR");
    const QString abstrait = QStringLiteral("norvanel-%1-").arg(::geteuid());
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(bon));
    EXPECT_EQ(CInstanceUnique::dossierSockets(), QString::fromStdString(bon + "/norvanel"));
    EXPECT_TRUE(CInstanceUnique::nomParDefaut().startsWith(QString::fromStdString(bon + "/norvanel/")));
    for (const std::string& execution : {ouvert, autreAUnAutre ? autre : lien, std::string()}) {
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(execution));
        EXPECT_EQ(CInstanceUnique::dossierSockets(), std::nullopt) << execution;
        EXPECT_TRUE(CInstanceUnique::nomParDefaut().startsWith(abstrait)) << execution;
    }
    qputenv("XDG_RUNTIME_DIR", avant);
    // Under an abstract name too, a later start reaches the program.
    const QString nom = nomAbstrait();
    CInstanceUnique serveur(nom);
    ASSERT_TRUE(serveur.ecouter());
    EXPECT_TRUE(transmettreEnParallele(nom, {QStringLiteral("/a.kbt")}));
}

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
    ASSERT_TRUE(attendreRemises(recus, 1)) << recus.size();
    EXPECT_EQ(recus.at(0).at(0).toStringList(), fichiers);

    ASSERT_TRUE(transmettreEnParallele(nom, {}));
    ASSERT_TRUE(attendreRemises(recus, 2)) << recus.size();
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
    EXPECT_TRUE(attendreRemises(recus, 1)) << recus.size();
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

TEST_F(Transmission, UnAffluxDeDemandesEstTraiteLUneApresLAutreEnUnSeulMessage)
{
    const QString nom = chemin(QStringLiteral("n.sock"));
    app.reset();
    app = std::make_unique<CApp>(SOptionsApplication{true, nom});
    ASSERT_TRUE(app->demarrer(SLigneCommande{}));
    SProfondeurBoites boites;
    qApp->installEventFilter(&boites);
    repondeur->reponses.assign(4, QMessageBox::Ok);
    // Sent while a capture runs, the requests wait; past the queue's bound, the later
    // starts get no answer and open their files themselves.
    constexpr int kEnvois = CInstanceUnique::kDemandesMax + 8;
    std::optional<CTravailLong> capture(std::in_place, app->suivi(), static_cast<QWidget*>(nullptr));
    auto envoi = std::async(std::launch::async, [&] {
        int acceptes = 0;
        for (int i = 0; i < kEnvois; ++i)
            acceptes += CInstanceUnique::transmettre(nom, {dossier.filePath(QStringLiteral("absent-%1.kbt").arg(i))});
        return acceptes;
    });
    while (envoi.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(envoi.get(), CInstanceUnique::kDemandesMax);
    EXPECT_TRUE(repondeur->boites.empty());
    // The capture over: every failure in one message, no box within another.
    capture.reset();
    for (int i = 0; i < 100 && repondeur->boites.empty(); ++i)
        laisserTourner(20);
    laisserTourner(300);
    qApp->removeEventFilter(&boites);
    ASSERT_EQ(repondeur->boites.size(), 1u);
    const QString texte = repondeur->boites.front().texte;
    EXPECT_TRUE(texte.startsWith(QStringLiteral("%1 fichiers n'ont pas pu être ouverts").arg(CInstanceUnique::kDemandesMax)))
        << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("absent-0.kbt")));
    EXPECT_EQ(boites.maximum, 1);
    EXPECT_EQ(cadre().cadres().size(), 1);
    repondeur->reponses.clear();
}
