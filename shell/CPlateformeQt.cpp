#include "shell/CPlateformeQt.h"

#include <QCoreApplication>

#include "platform/linux/OuvertureBureau.h"

bool CPlateformeQt::ouvrir(const std::string& chemin, std::function<void()> echec)
{
    return lancerAvecLeBureau(chemin, [echec = std::move(echec)] {
        // From the thread that collected the opener: queued to the interface thread.
        if (QCoreApplication* application = QCoreApplication::instance())
            if (echec)
                QMetaObject::invokeMethod(application, echec, Qt::QueuedConnection);
    });
}
