#pragma once
// One running program per user and display: a later start hands its files to the
// running one through a local socket named for the display, and that one acknowledges
// them, then opens them (or, given none, comes forward). A start on another display
// gets a program of its own, whose windows the user can see.
//
// Nobody else may take part: the socket lives in a folder of ours alone (under the
// user's runtime folder), or, when there is no such folder, in the kernel's abstract
// namespace under a name holding the user id; either way each end checks that the
// other runs as the same user, so a program of another user neither gets our files
// nor hands us any.
//
// What later starts hand over waits in a queue and is given out one request after the
// other, from the event loop, never from inside the socket's own handling: a dialog the
// handler shows, whose loop accepts the next request, cannot nest another one. One
// request, the connections being read and the queue are all bounded; a start refused
// for that gets no answer and opens its files itself.

#include <deque>
#include <functional>
#include <optional>

#include <QHash>
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class CInstanceUnique : public QObject {
    Q_OBJECT
public:
    // An absolute path names a socket file; any other name, an abstract socket.
    explicit CInstanceUnique(QString nom, QObject* parent = nullptr);
    ~CInstanceUnique() override;

    // The socket of this user's program on this display (QGuiApplication's platform
    // tells whether it is $WAYLAND_DISPLAY or $DISPLAY).
    static QString nomParDefaut();
    // The socket in our private folder `dossier` (or, with none, the abstract name
    // holding our user id) for the display `affichage` of the platform `systeme`
    // ("x11", "wayland"...): both reduced to letters, digits, '.', '-' and '_'.
    static QString nomPour(const std::optional<QString>& dossier, const QString& systeme, const QString& affichage);
    // Our private folder for sockets under $XDG_RUNTIME_DIR, made if needed, when that
    // folder is ours alone; none otherwise (unset, or left by su from another user).
    static std::optional<QString> dossierSockets();
    // Hands `fichiers` (absolute paths) to the running program. True when one of the
    // same user acknowledged them within about two seconds; false when none runs,
    // none answered or another user's program holds the name, and the caller opens
    // them itself.
    static bool transmettre(const QString& nom, const QStringList& fichiers);

    // Becomes the running program. False when the socket cannot be made.
    bool ecouter();

    // Asked before each request is given out: while it says true (a capture runs), the
    // requests wait.
    std::function<bool()> occupe;

    // Bounds: a request's bytes and paths, connections read at once, requests queued.
    static constexpr qint64 kTailleMaximale = 1 << 20;
    static constexpr int kFichiersMax = 256;
    static constexpr int kConnexionsMax = 16;
    static constexpr int kDemandesMax = 64;

signals:
    // The requests waiting, one after the other in a single list (possibly empty);
    // the next ones come once the handler returned.
    void fichiersRecus(const QStringList& fichiers);

private:
    void accepter();
    void recevoir(QLocalSocket* socket);
    void oublier(QLocalSocket* socket);
    void planifier(int delaiMs = 0);
    void donnerSuivantes();

    QString nom_;
    QLocalServer* serveur_;
    QHash<QLocalSocket*, QByteArray> recus_;
    std::deque<QStringList> demandes_;
    bool planifie_ = false;
    bool enCours_ = false;
};
