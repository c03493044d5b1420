#pragma once
// One running program per user: a later start hands its files to the running one
// through a local socket in the user's runtime folder, and that one opens them (or,
// given none, comes forward).

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

    // The socket of this user's program.
    static QString nomParDefaut();
    // Hands `fichiers` (absolute paths) to the running program. True when one took
    // them; false when none runs.
    static bool transmettre(const QString& nom, const QStringList& fichiers);

    // Becomes the running program. False when the socket cannot be made.
    bool ecouter();

signals:
    // A later start handed these files (possibly none).
    void fichiersRecus(const QStringList& fichiers);

private:
    void recevoir(QLocalSocket* socket);
    void lire(QLocalSocket* socket);

    QString nom_;
    QLocalServer* serveur_;
    QHash<QLocalSocket*, QByteArray> recus_;
};
