#include "shell/CInstanceUnique.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int kDelaiMs = 2000;
// A message holds a few paths; more than this is not from our program.
constexpr qint64 kTailleMaximale = 1 << 20;

} // namespace

CInstanceUnique::CInstanceUnique(QString nom, QObject* parent)
    : QObject(parent), nom_(std::move(nom)), serveur_(new QLocalServer(this))
{
    connect(serveur_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = serveur_->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] { recevoir(s); });
            connect(s, &QLocalSocket::disconnected, this, [this, s] { lire(s); });
            // The sender may already have written everything and gone.
            recevoir(s);
            if (s->state() == QLocalSocket::UnconnectedState)
                lire(s);
        }
    });
}

CInstanceUnique::~CInstanceUnique() = default;

QString CInstanceUnique::nomParDefaut()
{
    QString dossier = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dossier.isEmpty())
        dossier = QDir::tempPath();
    return QDir(dossier).filePath(QStringLiteral("norvanel.sock"));
}

bool CInstanceUnique::transmettre(const QString& nom, const QStringList& fichiers)
{
    QLocalSocket socket;
    socket.connectToServer(nom);
    if (!socket.waitForConnected(kDelaiMs))
        return false;
    QByteArray message;
    for (const QString& f : fichiers)
        message += f.toUtf8() + '\n';
    // An empty message still says "come forward".
    message += '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(kDelaiMs))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kDelaiMs);
    return true;
}

bool CInstanceUnique::ecouter()
{
    // Another program, started at the same moment, may own the socket: leave it to it.
    // (Qt would replace the socket without a word.)
    QLocalSocket sonde;
    sonde.connectToServer(nom_);
    if (sonde.waitForConnected(kDelaiMs)) {
        sonde.abort();
        return false;
    }
    // A socket left by a program that stopped without closing it: nobody answers on it,
    // it can go.
    QLocalServer::removeServer(nom_);
    serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    return serveur_->listen(nom_);
}

void CInstanceUnique::recevoir(QLocalSocket* socket)
{
    const QByteArray donnees = socket->readAll();
    QByteArray& recu = recus_[socket];
    recu += donnees;
    if (recu.size() > kTailleMaximale) {
        recus_.remove(socket);
        socket->deleteLater();
        socket->abort();
    }
}

void CInstanceUnique::lire(QLocalSocket* socket)
{
    if (!recus_.contains(socket))
        return;   // already read
    recevoir(socket);
    const QByteArray message = recus_.take(socket);
    socket->deleteLater();
    if (!message.endsWith('\n'))
        return;
    QStringList fichiers;
    for (const QByteArray& ligne : message.split('\n')) {
        const QString f = QString::fromUtf8(ligne);
        // Only absolute paths: the sender made them so.
        if (!f.isEmpty() && QDir::isAbsolutePath(f))
            fichiers.append(f);
    }
    emit fichiersRecus(fichiers);
}
