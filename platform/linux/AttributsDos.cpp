#include "platform/linux/AttributsDos.h"

#include "platform/CPlateforme.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t kBitsDos = kAttrLectureSeule | kAttrCache | kAttrSysteme | kAttrArchive;

// Not in <linux/magic.h>: ntfs3's own, and the older read-only ntfs driver's.
constexpr unsigned long kNtfs3 = 0x7366746e;
constexpr unsigned long kNtfsAncien = 0x5346544e;

// The extended attribute each way reads, largest value first.
const char* nomAttributEtendu(ELectureAttributsDos lecture)
{
    switch (lecture) {
    case ELectureAttributsDos::XattrNtfsGrandBoutiste:
        return "system.ntfs_attrib_be";
    case ELectureAttributsDos::XattrNtfs:
        return "system.ntfs_attrib";
    case ELectureAttributsDos::XattrDos:
        return "system.dos_attrib";
    case ELectureAttributsDos::Aucune:
    case ELectureAttributsDos::IoctlFat:
        break;
    }
    return nullptr;
}

std::optional<std::uint32_t> lireAttributEtendu(ELectureAttributsDos lecture, const auto& lire)
{
    // One byte more than any valid value, so that a longer one is told apart.
    unsigned char valeur[5];
    return decoderAttributsNtfs(lecture, valeur, lire(nomAttributEtendu(lecture), valeur, sizeof valeur));
}

std::optional<std::uint32_t> lireIoctlFat(int fd)
{
    std::uint32_t dos = 0;
    if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &dos) != 0)
        return std::nullopt;
    // The FAT bits are those of the catalogue: ATTR_RO 0x1, ATTR_HIDDEN 0x2, ATTR_SYS 0x4,
    // ATTR_ARCH 0x20.
    return dos & kBitsDos;
}

} // namespace

std::optional<std::uint32_t> decoderAttributsNtfs(ELectureAttributsDos lecture, const unsigned char* valeur,
                                                  ssize_t taille)
{
    std::uint32_t mot = 0;
    switch (lecture) {
    case ELectureAttributsDos::XattrNtfsGrandBoutiste:
        if (taille != 4)
            return std::nullopt;
        mot = std::uint32_t{valeur[0]} << 24 | std::uint32_t{valeur[1]} << 16 | std::uint32_t{valeur[2]} << 8 |
              valeur[3];
        break;
    case ELectureAttributsDos::XattrNtfs:
        if (taille != 4)
            return std::nullopt;
        std::memcpy(&mot, valeur, 4);
        break;
    case ELectureAttributsDos::XattrDos:
        if (taille != 1)
            return std::nullopt;
        mot = valeur[0];
        break;
    case ELectureAttributsDos::Aucune:
    case ELectureAttributsDos::IoctlFat:
        return std::nullopt;
    }
    // The NTFS word has the same low bits as FAT: FILE_ATTRIBUTE_READONLY 0x1, HIDDEN 0x2,
    // SYSTEM 0x4, ARCHIVE 0x20.
    return mot & kBitsDos;
}

ELectureAttributsDos lectureAttributsDos(int dossierFd, long typeSysteme)
{
    // f_type is a signed long filled from a 32-bit magic: compare the low 32 bits.
    const unsigned long type = static_cast<unsigned long>(typeSysteme) & 0xFFFFFFFFUL;
    if (type == MSDOS_SUPER_MAGIC || type == EXFAT_SUPER_MAGIC)
        // exFAT answers the FAT ioctl only on recent kernels.
        return lireIoctlFat(dossierFd) ? ELectureAttributsDos::IoctlFat : ELectureAttributsDos::Aucune;
    // ntfs-3g is a FUSE file system like any other: the attribute itself tells it apart.
    if (type != FUSE_SUPER_MAGIC && type != kNtfs3 && type != kNtfsAncien)
        return ELectureAttributsDos::Aucune;
    for (const ELectureAttributsDos lecture : {ELectureAttributsDos::XattrNtfsGrandBoutiste,
                                               ELectureAttributsDos::XattrNtfs, ELectureAttributsDos::XattrDos}) {
        const auto lire = [dossierFd](const char* nom, void* valeur, std::size_t taille) {
            return fgetxattr(dossierFd, nom, valeur, taille);
        };
        errno = 0;
        if (lireAttributEtendu(lecture, lire))
            return lecture;
        if (errno == ENOTSUP)
            break; // no extended attributes at all here
    }
    return ELectureAttributsDos::Aucune;
}

std::optional<std::uint32_t> attributsDos(int dossierFd, const char* nom, mode_t type, ELectureAttributsDos lecture)
{
    if (lecture == ELectureAttributsDos::Aucune)
        return std::nullopt;
    if (lecture == ELectureAttributsDos::IoctlFat) {
        // Only files and folders are opened, never a device. O_NOFOLLOW guards against a
        // swap for a link since statx.
        if (!S_ISREG(type) && !S_ISDIR(type))
            return std::nullopt;
        const int fd = openat(dossierFd, nom, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            return std::nullopt;
        const std::optional<std::uint32_t> dos = lireIoctlFat(fd);
        close(fd);
        return dos;
    }
    // Read by a path through the folder's descriptor, without opening the entry: one
    // call, and no need of the right to read the file.
    char chemin[32 + NAME_MAX + 1];
    const int longueur = std::snprintf(chemin, sizeof chemin, "/proc/self/fd/%d/%s", dossierFd, nom);
    if (longueur < 0 || static_cast<std::size_t>(longueur) >= sizeof chemin)
        return std::nullopt;
    return lireAttributEtendu(lecture, [&chemin](const char* attribut, void* valeur, std::size_t taille) {
        return lgetxattr(chemin, attribut, valeur, taille);
    });
}
