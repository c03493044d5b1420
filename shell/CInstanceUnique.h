#pragma once
// One running program per user and display: a later start hands its files to the
// running one through a local socket in the user's runtime folder, named for the
// display, and that one acknowledges them, then opens them (or, given none, comes
// forward). A start on another display gets a program of its own, whose windows the
// user can see.

#include <QHash>
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class CInstanceUnique : public QObject {
    Q_OBJECT
public:
    explicit CInstanceUnique(QString nom, QObject* parent = nullptr);
    ~CInstanceUnique() override;

    // The socket of this user's program on this display (QGuiApplication's platform
    // tells whether it is $WAYLAND_DISPLAY or $DISPLAY).
    static QString nomParDefaut();
    // The socket in `dossier` for the display `affichage` of the platform `systeme`
    // ("x11", "wayland"...): both reduced to letters, digits, '.', '-' and '_'.
    static QString nomPour(const QString& dossier, const QString& systeme, const QString& affichage);
    // Hands `fichiers` (absolute paths) to the running program. True when one
    // acknowledged them within about two seconds; false when none runs or none
    // answered, and the caller opens them itself.
    static bool transmettre(const QString& nom, const QStringList& fichiers);

    // Becomes the running program. False when the socket cannot be made.
    bool ecouter();

signals:
    // A later start handed these files (possibly none).
    void fichiersRecus(const QStringList& fichiers);

private:
    void recevoir(QLocalSocket* socket);
    void oublier(QLocalSocket* socket);

    QString nom_;
    QLocalServer* serveur_;
    QHash<QLocalSocket*, QByteArray> recus_;
};
