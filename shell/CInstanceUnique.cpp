#include "shell/CInstanceUnique.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int kDelaiMs = 2000;
// What the running program answers once it has the whole message.
const QByteArray kAccuse = QByteArrayLiteral("ok\n");
// A message holds a few paths; more than this is not from our program.
constexpr qint64 kTailleMaximale = 1 << 20;

} // namespace

CInstanceUnique::CInstanceUnique(QString nom, QObject* parent)
    : QObject(parent), nom_(std::move(nom)), serveur_(new QLocalServer(this))
{
    connect(serveur_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = serveur_->nextPendingConnection()) {
            recus_.insert(s, {});
            connect(s, &QLocalSocket::readyRead, this, [this, s] { recevoir(s); });
            connect(s, &QLocalSocket::disconnected, this, [this, s] { oublier(s); });
            // The sender may already have written everything.
            recevoir(s);
        }
    });
}

CInstanceUnique::~CInstanceUnique() = default;

QString CInstanceUnique::nomParDefaut()
{
    QString dossier = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dossier.isEmpty())
        dossier = QDir::tempPath();
    const QString systeme = QGuiApplication::platformName();
    const QString affichage = qEnvironmentVariable(systeme.startsWith(QStringLiteral("wayland")) ? "WAYLAND_DISPLAY"
                                                                                                : "DISPLAY");
    return nomPour(dossier, systeme, affichage);
}

QString CInstanceUnique::nomPour(const QString& dossier, const QString& systeme, const QString& affichage)
{
    // A socket's path is short (108 bytes): a display name is cut well before.
    const auto propre = [](const QString& texte) {
        QString r = texte.left(40);
        for (QChar& c : r)
            if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'_')
                c = u'_';
        return r;
    };
    return QDir(dossier).filePath(QStringLiteral("norvanel-%1-%2.sock").arg(propre(systeme), propre(affichage)));
}

bool CInstanceUnique::transmettre(const QString& nom, const QStringList& fichiers)
{
    QLocalSocket socket;
    socket.connectToServer(nom);
    if (!socket.waitForConnected(kDelaiMs))
        return false;
    // One path a line, percent-encoded so that a name holding a line break stays one
    // path; an empty line ends the message (alone, it says "come forward").
    QByteArray message;
    for (const QString& f : fichiers)
        message += f.toUtf8().toPercentEncoding("/") + '\n';
    message += '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(kDelaiMs))
        return false;
    // A program that hangs, or that is not ours, does not answer: the caller then
    // opens the files itself rather than lose them.
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
    auto it = recus_.find(socket);
    if (it == recus_.end())
        return; // answered already
    QByteArray& recu = *it;
    recu += socket->readAll();
    if (recu.size() > kTailleMaximale) {
        oublier(socket);
        socket->abort();
        return;
    }
    if (recu != "\n" && !recu.endsWith("\n\n"))
        return; // more to come
    const QByteArray message = recus_.take(socket);
    QStringList fichiers;
    for (const QByteArray& ligne : message.split('\n')) {
        const QString f = QString::fromUtf8(QByteArray::fromPercentEncoding(ligne));
        // Only absolute paths: the sender made them so.
        if (!f.isEmpty() && QDir::isAbsolutePath(f) && !f.contains(QChar(0)))
            fichiers.append(f);
    }
    // The answer first: opening the files may show a dialog for a while.
    socket->write(kAccuse);
    socket->flush();
    emit fichiersRecus(fichiers);
}

void CInstanceUnique::oublier(QLocalSocket* socket)
{
    recus_.remove(socket);
    socket->deleteLater();
}
