#include "shell/EtatVerrous.h"

#include <QDir>
#include <QFile>

namespace {

bool allume(const QString& suffixe)
{
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList noms =
        leds.entryList({QStringLiteral("*::") + suffixe}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& nom : noms) {
        QFile f(leds.filePath(nom + QStringLiteral("/brightness")));
        if (f.open(QIODevice::ReadOnly) && f.readAll().trimmed().toInt() > 0)
            return true;
    }
    return false;
}

} // namespace

SEtatVerrous lireEtatVerrous()
{
    return {allume(QStringLiteral("capslock")), allume(QStringLiteral("numlock"))};
}
