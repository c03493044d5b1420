#include "shell/CSuiviTravailQt.h"

#include <QApplication>

void CSuiviTravailQt::commencer(QWidget*)
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

void CSuiviTravailQt::terminer()
{
    QApplication::restoreOverrideCursor();
}
