#include "platform/linux/CPlateformeLinux.h"

#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

#include "platform/linux/CEnumerationLinux.h"
#include "platform/linux/OuvertureBureau.h"
#include "platform/linux/PointsMontage.h"
#include "platform/linux/SystemesDistants.h"
#include "platform/linux/TempsLocal.h"
#include "platform/linux/TextesLocaux.h"
#include "platform/linux/VolumeMonte.h"

std::unique_ptr<CEnumeration> CPlateformeLinux::enumerer(const std::string& dossier, int* erreur)
{
    return CEnumerationLinux::ouvrir(dossier, erreur);
}

int CPlateformeLinux::filsCapture(const std::string& dossier) const
{
    const std::vector<SPointMontage> montages = lirePointsMontage();
    const SPointMontage* montage = montageDe(montages, dossier);
    return filsPourSysteme(montage ? montage->typeFs : std::string_view(), std::thread::hardware_concurrency());
}

std::size_t CPlateformeLinux::dossiersOuvertsMax() const
{
    struct rlimit limite {};
    if (getrlimit(RLIMIT_NOFILE, &limite) != 0 || limite.rlim_max == RLIM_INFINITY)
        return std::numeric_limits<std::size_t>::max();
    return static_cast<std::size_t>(limite.rlim_max);
}

SCalendrier CPlateformeLinux::versHeureLocale(TempsFichier t) const { return calendrierLocal(t); }

SCalendrier CPlateformeLinux::maintenant() const { return calendrierLocalMaintenant(); }

std::string CPlateformeLinux::texteDate(std::uint32_t jour, std::uint32_t mois, std::uint32_t annee) const
{
    return texteDateLocale(localeUtilisateur(), jour, mois, annee);
}

std::string CPlateformeLinux::texteHeure(std::uint32_t heure, std::uint32_t minute) const
{
    return texteHeureLocale(localeUtilisateur(), heure, minute);
}

std::string CPlateformeLinux::racine(const std::string& chemin) const
{
    return racineDans(lirePointsMontage(), chemin);
}

std::optional<SVolume> CPlateformeLinux::infoVolume(const std::string& racine)
{
    return infoVolumeDans(lirePointsMontage(), racine, m_udev);
}

bool CPlateformeLinux::ouvrir(const std::string& chemin, std::function<void()> echec)
{
    return ouvrirAvecLeBureau(chemin, echec);
}

bool CPlateformeLinux::existe(const std::string& chemin) const
{
    struct stat etat {};
    return !chemin.empty() && chemin.find('\0') == std::string::npos && lstat(chemin.c_str(), &etat) == 0;
}
