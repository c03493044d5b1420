#include "shell/CSuiviTravailQt.h"

#include <QApplication>
#include <QCoreApplication>
#include <QThread>

void CSuiviTravailQt::commencer(QWidget*)
{
    actif_ = true;
    chrono_.start();
    dernierAffichage_.invalidate();
}

void CSuiviTravailQt::terminer()
{
    actif_ = false;
    if (curseurOccupe_) {
        curseurOccupe_ = false;
        QApplication::restoreOverrideCursor();
    }
}

void CSuiviTravailQt::travailEnCours()
{
    // A capture job's filter pass reports too, from its own thread.
    if (QThread::currentThread() != QCoreApplication::instance()->thread() || !actif_)
        return;
    if (!curseurOccupe_) {
        if (chrono_.elapsed() < delaiCurseur)
            return;
        curseurOccupe_ = true;
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else if (dernierAffichage_.isValid() && dernierAffichage_.elapsed() < 40) {
        return;
    }
    // Repaint, but let no click or key start another command.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    dernierAffichage_.start();
}
