#pragma once
// The DOS attribute bits (read-only, hidden, system, archive) that the file systems of
// Windows keep, where the Linux driver exposes them: vfat and exFAT through the FAT
// attribute ioctl, NTFS (ntfs-3g, ntfs3) through extended attributes.

#include <cstdint>
#include <optional>
#include <sys/types.h>

enum class ELectureAttributsDos {
    Aucune,                 // no such bits here, or the driver does not give them
    IoctlFat,               // FAT_IOCTL_GET_ATTRIBUTES on the opened entry (vfat, exFAT)
    XattrNtfsGrandBoutiste, // "system.ntfs_attrib_be": the NTFS attribute word, big-endian
    XattrNtfs,              // "system.ntfs_attrib": the same word in the machine's order
    XattrDos,               // "system.dos_attrib": its low byte (ntfs3)
};

// How the bits of the entries of the folder `dossierFd` can be read, found by trying
// each way on the folder itself. `typeSysteme`, the f_type statfs gives for it, says
// which ways are worth trying: on other file systems this costs nothing.
ELectureAttributsDos lectureAttributsDos(int dossierFd, long typeSysteme);

// The read-only, hidden, system and archive bits (kAttr*) of the entry `nom` of the
// folder `dossierFd`; nullopt when they cannot be read. `type` is the S_IFMT part of
// its mode as statx gave it, 0 when it could not be examined: the ioctl needs the entry
// opened, which is done only for a regular file or a directory, while the extended
// attributes are read without opening anything (ntfs-3g shows some small system files
// as FIFOs or sockets it cannot even stat).
std::optional<std::uint32_t> attributsDos(int dossierFd, const char* nom, mode_t type, ELectureAttributsDos lecture);

// The bits in `taille` bytes of an extended attribute that `lecture` reads; nullopt
// when the value has not the size of its form.
std::optional<std::uint32_t> decoderAttributsNtfs(ELectureAttributsDos lecture, const unsigned char* valeur,
                                                  ssize_t taille);
