#include "shell/EtatVerrous.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "shell/ChoixAffichage.h"

namespace {

// On when any keyboard's LED of that kind is lit; nullopt when no keyboard shows one.
std::optional<bool> led(const QString& suffixe)
{
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList noms =
        leds.entryList({QStringLiteral("*::") + suffixe}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    std::optional<bool> allume;
    for (const QString& nom : noms) {
        QFile f(leds.filePath(nom + QStringLiteral("/brightness")));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        allume = allume.value_or(false) || f.readAll().trimmed().toInt() > 0;
    }
    return allume;
}

} // namespace

SEtatVerrous lireEtatVerrous()
{
    // No screen, no keyboard.
    if (plateformeSansEcran(QGuiApplication::platformName()))
        return {};
    if (auto x11 = lireVerrousX11())
        return *x11;
    const std::optional<bool> majuscules = led(QStringLiteral("capslock"));
    const std::optional<bool> numerique = led(QStringLiteral("numlock"));
    if (!majuscules || !numerique)
        return {};
    return {true, *majuscules, *numerique};
}
