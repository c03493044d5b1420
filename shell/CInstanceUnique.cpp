#include "shell/CInstanceUnique.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include "platform/linux/DossierPrive.h"
#include "platform/linux/ProprietairePair.h"

namespace {

constexpr int kDelaiMs = 2000;
// A sender that has not said everything by then is dropped: it would hold a place.
constexpr int kDelaiLectureMs = 5000;
// What the running program answers once it has the whole message.
const QByteArray kAccuse = QByteArrayLiteral("ok\n");
// The longest path a socket address takes, its final zero included.
constexpr qsizetype kCheminSocketMax = 107;

bool estAbstrait(const QString& nom)
{
    return !QDir::isAbsolutePath(nom);
}

void preparer(QLocalSocket& socket, const QString& nom)
{
    if (estAbstrait(nom))
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
}

} // namespace

CInstanceUnique::CInstanceUnique(QString nom, QObject* parent)
    : QObject(parent), nom_(std::move(nom)), serveur_(new QLocalServer(this))
{
    connect(serveur_, &QLocalServer::newConnection, this, &CInstanceUnique::accepter);
}

CInstanceUnique::~CInstanceUnique() = default;

std::optional<QString> CInstanceUnique::dossierSockets()
{
    const QByteArray execution = qgetenv("XDG_RUNTIME_DIR");
    if (!dossierAMoiSeul(execution.toStdString()))
        return std::nullopt;
    const QByteArray dossier = execution + "/norvanel";
    if (!preparerDossierPrive(dossier.toStdString()))
        return std::nullopt;
    return QFile::decodeName(dossier);
}

QString CInstanceUnique::nomParDefaut()
{
    const QString systeme = QGuiApplication::platformName();
    const QString affichage = qEnvironmentVariable(systeme.startsWith(QStringLiteral("wayland")) ? "WAYLAND_DISPLAY"
                                                                                                : "DISPLAY");
    return nomPour(dossierSockets(), systeme, affichage);
}

QString CInstanceUnique::nomPour(const std::optional<QString>& dossier, const QString& systeme,
                                 const QString& affichage)
{
    // A socket's path is short (108 bytes): a display name is cut well before.
    const auto propre = [](const QString& texte) {
        QString r = texte.left(40);
        for (QChar& c : r)
            if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'_')
                c = u'_';
        return r;
    };
    const QString ecran = QStringLiteral("%1-%2").arg(propre(systeme), propre(affichage));
    if (dossier) {
        const QString chemin = QDir(*dossier).filePath(QStringLiteral("norvanel-%1.sock").arg(ecran));
        if (QFile::encodeName(chemin).size() <= kCheminSocketMax)
            return chemin;
    }
    // No folder of ours alone (or too deep a one): the user id tells users apart.
    return QStringLiteral("norvanel-%1-%2").arg(::geteuid()).arg(ecran);
}

bool CInstanceUnique::transmettre(const QString& nom, const QStringList& fichiers)
{
    QLocalSocket socket;
    preparer(socket, nom);
    socket.connectToServer(nom);
    if (!socket.waitForConnected(kDelaiMs))
        return false;
    // Whoever holds the name, our files go to our own user's program only.
    if (!pairEstDuMemeUtilisateur(static_cast<int>(socket.socketDescriptor()))) {
        socket.abort();
        return false;
    }
    // One path a line, percent-encoded so that a name holding a line break stays one
    // path; an empty line ends the message (alone, it says "come forward").
    QByteArray message;
    for (const QString& f : fichiers)
        message += f.toUtf8().toPercentEncoding("/") + '\n';
    message += '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(kDelaiMs))
        return false;
    // A program that hangs, that is not ours or that has too much to do already does
    // not answer: the caller then opens the files itself rather than lose them.
    QByteArray reponse;
    QElapsedTimer chrono;
    chrono.start();
    while (!reponse.endsWith('\n') && reponse.size() < 16) {
        const qint64 reste = kDelaiMs - chrono.elapsed();
        if (reste <= 0 || !socket.waitForReadyRead(static_cast<int>(reste)))
            break;
        reponse += socket.readAll();
    }
    socket.abort();
    return reponse == kAccuse;
}

bool CInstanceUnique::ecouter()
{
    // Another program, started at the same moment, may own the socket: leave it to it.
    // (Qt would replace the socket without a word.)
    QLocalSocket sonde;
    preparer(sonde, nom_);
    sonde.connectToServer(nom_);
    if (sonde.waitForConnected(kDelaiMs)) {
        sonde.abort();
        return false;
    }
    if (estAbstrait(nom_)) {
        serveur_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    } else {
        // A socket left by a program that stopped without closing it: nobody answers
        // on it, it can go.
        QLocalServer::removeServer(nom_);
        serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    }
    return serveur_->listen(nom_);
}

void CInstanceUnique::accepter()
{
    while (QLocalSocket* s = serveur_->nextPendingConnection()) {
        if (!pairEstDuMemeUtilisateur(static_cast<int>(s->socketDescriptor())) || recus_.size() >= kConnexionsMax) {
            s->abort();
            s->deleteLater();
            continue;
        }
        recus_.insert(s, {});
        connect(s, &QLocalSocket::readyRead, this, [this, s] { recevoir(s); });
        connect(s, &QLocalSocket::disconnected, this, [this, s] { oublier(s); });
        QTimer::singleShot(kDelaiLectureMs, s, [this, s] {
            if (recus_.contains(s)) {
                s->abort();
                oublier(s);
            }
        });
        // The sender may already have written everything.
        recevoir(s);
    }
}

void CInstanceUnique::recevoir(QLocalSocket* socket)
{
    auto it = recus_.find(socket);
    if (it == recus_.end())
        return; // answered already
    QByteArray& recu = *it;
    recu += socket->read(kTailleMaximale + 1 - recu.size());
    const bool complet = recu == "\n" || recu.endsWith("\n\n");
    if (!complet && recu.size() <= kTailleMaximale)
        return; // more to come
    const QByteArray message = recus_.take(socket);
    QStringList fichiers;
    const QList<QByteArray> lignes = message.split('\n');
    for (const QByteArray& ligne : lignes) {
        const QString f = QString::fromUtf8(QByteArray::fromPercentEncoding(ligne));
        // Only absolute paths: the sender made them so.
        if (!f.isEmpty() && QDir::isAbsolutePath(f) && !f.contains(QChar(0)))
            fichiers.append(f);
    }
    // Too long, too many paths or too many waiting: no answer, and the sender opens its
    // files itself.
    if (!complet || fichiers.size() > kFichiersMax || demandes_.size() >= kDemandesMax) {
        socket->abort();
        oublier(socket);
        return;
    }
    demandes_.push_back(std::move(fichiers));
    socket->write(kAccuse);
    socket->flush();
    socket->disconnectFromServer();
    planifier();
}

void CInstanceUnique::oublier(QLocalSocket* socket)
{
    recus_.remove(socket);
    socket->deleteLater();
}

void CInstanceUnique::planifier(int delaiMs)
{
    if (planifie_)
        return;
    planifie_ = true;
    QTimer::singleShot(delaiMs, this, [this] {
        planifie_ = false;
        donnerSuivantes();
    });
}

void CInstanceUnique::donnerSuivantes()
{
    // Called again from a dialog the handler shows: the end of the handler gives out
    // what came meanwhile.
    if (enCours_ || demandes_.empty())
        return;
    if (occupe && occupe()) {
        planifier(200);
        return;
    }
    QStringList fichiers;
    for (QStringList& d : demandes_)
        fichiers += std::move(d);
    demandes_.clear();
    enCours_ = true;
    const auto finir = [this] {
        enCours_ = false;
        if (!demandes_.empty())
            planifier();
    };
    try {
        emit fichiersRecus(fichiers);
    } catch (...) {
        finir();
        throw;
    }
    finir();
}
