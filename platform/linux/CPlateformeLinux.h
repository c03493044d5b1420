#pragma once
// The platform services on Linux, for the command-line tool and as the base of the
// window program's platform, which does not wait for the desktop opener.

#include <utility>

#include "platform/CPlateforme.h"
#include "platform/linux/VueUdev.h"

class CPlateformeLinux : public CPlateforme {
public:
    // `udev`: where udev's view of the disks is read (the system's own by default).
    explicit CPlateformeLinux(SRacinesUdev udev = {}) : m_udev(std::move(udev)) {}

    std::unique_ptr<CEnumeration> enumerer(const std::string& dossier, int* erreur = nullptr) override;
    // From the mount list alone: the thread that starts a capture (the window
    // program's interface thread) never waits on the share itself.
    int filsCapture(const std::string& dossier) const override;
    // The hard limit on open descriptors, to which the soft one is raised when reached.
    std::size_t dossiersOuvertsMax() const override;

    SCalendrier versHeureLocale(TempsFichier t) const override;
    SCalendrier maintenant() const override;

    std::string texteDate(std::uint32_t jour, std::uint32_t mois, std::uint32_t annee) const override;
    std::string texteHeure(std::uint32_t heure, std::uint32_t minute) const override;

    // Reads /proc/self/mountinfo at each call: disks come and go while the program runs.
    std::string racine(const std::string& chemin) const override;
    std::optional<SVolume> infoVolume(const std::string& racine) override;

    // xdg-open, waited for.
    bool ouvrir(const std::string& chemin, std::function<void()> echec) override;
    bool existe(const std::string& chemin) const override;

private:
    SRacinesUdev m_udev;
};
