#include "platform/linux/VolumeMonte.h"

#include "platform/linux/IdentiteVolume.h"
#include "platform/linux/VolumeBlkid.h"

#include <charconv>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

namespace {

// The block devices that may hold the mount: the numbers mountinfo gives ("8:17"),
// and the node its source names (btrfs, for one, shows other numbers there).
std::vector<dev_t> peripheriquesDe(const SPointMontage& montage)
{
    std::vector<dev_t> resultat;
    const std::string& numero = montage.numeroPeriph;
    const std::size_t deuxPoints = numero.find(':');
    unsigned majeur = 0, mineur = 0;
    if (deuxPoints != std::string::npos &&
        std::from_chars(numero.data(), numero.data() + deuxPoints, majeur).ptr == numero.data() + deuxPoints &&
        std::from_chars(numero.data() + deuxPoints + 1, numero.data() + numero.size(), mineur).ptr ==
            numero.data() + numero.size() &&
        majeur != 0)
        resultat.push_back(makedev(majeur, mineur));
    struct stat etat {};
    if (!montage.source.empty() && montage.source.front() == '/' && stat(montage.source.c_str(), &etat) == 0 &&
        S_ISBLK(etat.st_mode) && (resultat.empty() || resultat.front() != etat.st_rdev))
        resultat.push_back(etat.st_rdev);
    return resultat;
}

// A source that names a file (a device node or an image): its path is no label.
// "//serveur/partage" is a network share.
bool sourceEstUnFichier(const std::string& source)
{
    return !source.empty() && source.front() == '/' && source.compare(0, 2, "//") != 0;
}

} // namespace

std::optional<SVolume> infoVolumeDans(const std::vector<SPointMontage>& montages, const std::string& racine,
                                      const SRacinesUdev& udev)
{
    struct statfs fs {};
    if (statfs(racine.c_str(), &fs) != 0)
        return std::nullopt;
    const SPointMontage* montage = montageDe(montages, racine);
    if (montage != nullptr) {
        for (const dev_t peripherique : peripheriquesDe(*montage))
            if (const std::optional<SSystemeUdev> systeme = systemeSelonUdev(udev, peripherique))
                return SVolume{tronqueUtf8(systeme->etiquette, kLongueurEtiquette),
                               numeroSerieDepuisUuid(systeme->uuid)};
        // A source such as "/dev/root" may name no file; udev's /dev/block/MAJ:MIN does.
        for (const std::string& peripherique : {montage->source, "/dev/block/" + montage->numeroPeriph})
            if (!peripherique.empty() && peripherique.front() == '/')
                if (std::optional<SVolume> volume = sonderVolume(peripherique))
                    return volume;
    }
    SVolume volume;
    if (montage != nullptr && !sourceEstUnFichier(montage->source))
        volume.nom = tronqueUtf8(montage->source, kLongueurEtiquette);
    volume.numeroSerie = numeroSerieDepuisFsid(fs.f_fsid.__val[0], fs.f_fsid.__val[1]);
    return volume;
}
