#include "tests/linux/ImageDisque.h"

#include "tests/commun/CommandeExterne.h"
#include "tests/linux/ScenarioEnfant.h"

#include <fcntl.h>
#include <optional>
#include <sys/mount.h>
#include <unistd.h>

std::string formaterImage(const std::string& image, const std::string& outil, std::vector<std::string> arguments,
                          off_t taille)
{
    const std::optional<std::string> programme = trouverProgramme(outil);
    if (!programme)
        return {};
    if (taille > 0) {
        const int fd = open(image.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        const bool dimensionne = fd >= 0 && ftruncate(fd, taille) == 0;
        if (fd >= 0)
            close(fd);
        if (!dimensionne)
            return {};
    }
    for (std::string& a : arguments)
        if (a == "IMAGE")
            a = image;
    arguments.insert(arguments.begin(), *programme);
    return executer(arguments) == 0 ? image : std::string();
}

void monterImage(const std::string& type, const std::string& image, const std::string& point)
{
    const bool fuse = type == "ntfs-3g";
    const std::optional<std::string> programme = trouverProgramme(fuse ? "ntfs-3g" : "mount");
    if (!programme)
        scenarioNonPermis(fuse ? "ntfs-3g absent (paquet ntfs-3g)" : "mount absent");
    // mount -o loop frees its loop device with the mount, even when the child ends
    // without unmounting (its mount namespace goes with it).
    const std::vector<std::string> commande =
        fuse ? std::vector<std::string>{*programme, image, point}
             : std::vector<std::string>{*programme, "-t", type, "-o", "loop", image, point};
    if (executer(commande) != 0)
        scenarioNonPermis("impossible de monter une image " + type + " ici (noyau, FUSE ou périphérique loop)");
}

void demonter(const std::string& point) { umount2(point.c_str(), MNT_DETACH); }
