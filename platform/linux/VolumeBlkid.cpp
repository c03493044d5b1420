#include "platform/linux/VolumeBlkid.h"

#include "platform/linux/IdentiteVolume.h"

#include <blkid/blkid.h>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The value of a probed tag ("LABEL", "UUID"); empty when the file system has none.
std::string valeurSondee(blkid_probe sonde, const char* nom)
{
    const char* donnees = nullptr;
    std::size_t taille = 0;
    if (blkid_probe_lookup_value(sonde, nom, &donnees, &taille) != 0 || donnees == nullptr)
        return {};
    return std::string(donnees, strnlen(donnees, taille));
}

std::optional<SVolume> sonder(int fd)
{
    blkid_probe sonde = blkid_new_probe();
    if (sonde == nullptr)
        return std::nullopt;
    std::optional<SVolume> volume;
    if (blkid_probe_set_device(sonde, fd, 0, 0) == 0 && blkid_probe_enable_superblocks(sonde, 1) == 0 &&
        blkid_probe_set_superblocks_flags(sonde, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID) == 0 &&
        blkid_do_safeprobe(sonde) == 0) {
        volume = SVolume{tronqueUtf8(valeurSondee(sonde, "LABEL"), kLongueurEtiquette),
                         numeroSerieDepuisUuid(valeurSondee(sonde, "UUID"))};
    }
    blkid_free_probe(sonde);
    return volume;
}

} // namespace

std::optional<SVolume> sonderVolume(const std::string& peripherique)
{
    // Opened here rather than by libblkid so that a FIFO or a terminal named as a mount
    // source is never read: O_NONBLOCK keeps the open itself from waiting.
    const int fd = open(peripherique.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat etat {};
    std::optional<SVolume> volume;
    if (fstat(fd, &etat) == 0 && (S_ISBLK(etat.st_mode) || S_ISREG(etat.st_mode)))
        volume = sonder(fd);
    close(fd);
    return volume;
}
