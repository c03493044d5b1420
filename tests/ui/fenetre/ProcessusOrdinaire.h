#pragma once
// A program started from a window test as an ordinary user (UtilisateurOrdinaire.h),
// its output read once it ended, while this program's events run meanwhile.

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QProcess>

#include "tests/fiabilite/UtilisateurOrdinaire.h"

// False when it cannot be started so (no setpriv).
inline bool demarrerCommeUtilisateurOrdinaire(QProcess& processus, const std::vector<std::string>& argv)
{
    const auto commande = commeUtilisateurOrdinaire(argv);
    if (!commande)
        return false;
    QStringList arguments;
    for (std::size_t i = 1; i < commande->size(); ++i)
        arguments << QString::fromStdString((*commande)[i]);
    processus.start(QString::fromStdString(commande->front()), arguments);
    return processus.waitForStarted();
}

inline std::string sortieALaFin(QProcess& processus)
{
    for (int i = 0; i < 6000 && !processus.waitForFinished(10); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return processus.readAll().toStdString();
}
