#include "shell/CPlateformeQt.h"

#include <QCoreApplication>

#include "platform/linux/OuvertureBureau.h"

CPlateformeQt::~CPlateformeQt()
{
    *vivante_ = false;
}

bool CPlateformeQt::ouvrir(const std::string& chemin, std::function<void()> echec)
{
    return lancerAvecLeBureau(chemin, [echec = std::move(echec), vivante = vivante_] {
        // From the thread that collected the opener: queued to the interface thread,
        // where it is known whether the program that asked is still there.
        if (QCoreApplication* application = QCoreApplication::instance())
            if (echec)
                QMetaObject::invokeMethod(
                    application, [echec, vivante] { if (*vivante) echec(); }, Qt::QueuedConnection);
    });
}
