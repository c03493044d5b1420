#include "shell/CPlateformeQt.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

bool CPlateformeQt::ouvrir(const std::string& chemin)
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const bool ouvert = CPlateformeLinux::ouvrir(chemin);
    QApplication::restoreOverrideCursor();
    return ouvert;
}

void CPlateformeQt::patienter(std::chrono::milliseconds pause)
{
    QEventLoop boucle;
    QTimer::singleShot(pause, &boucle, &QEventLoop::quit);
    boucle.exec(QEventLoop::ExcludeUserInputEvents);
}
