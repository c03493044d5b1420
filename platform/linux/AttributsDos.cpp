#include "platform/linux/AttributsDos.h"

#include "platform/CPlateforme.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

bool estTypeVfat(long typeSysteme) { return typeSysteme == MSDOS_SUPER_MAGIC; }

std::uint32_t attributsDos(int dossierFd, const char* nom)
{
    // The caller has checked the type: only files and folders are opened, never a
    // device. O_NOFOLLOW guards against a swap for a link since that check.
    const int fd = openat(dossierFd, nom, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return 0;
    std::uint32_t dos = 0;
    const bool lu = ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &dos) == 0;
    close(fd);
    if (!lu)
        return 0;
    // The FAT bits are those of the catalogue: ATTR_RO 0x1, ATTR_HIDDEN 0x2, ATTR_SYS 0x4,
    // ATTR_ARCH 0x20.
    return dos & (kAttrLectureSeule | kAttrCache | kAttrSysteme | kAttrArchive);
}
