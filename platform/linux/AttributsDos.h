#pragma once
// The DOS attribute bits (read-only, hidden, system, archive) that a FAT file system
// keeps and the vfat driver exposes.

#include <cstdint>
#include <sys/types.h>

// True when `typeSysteme`, the f_type that statfs gives, is vfat's.
bool estTypeVfat(long typeSysteme);

// The read-only, hidden, system and archive bits (kAttr*) of the entry `nom` of the
// folder `dossierFd`, which must be a regular file or a directory of a vfat file
// system; 0 when they cannot be read.
std::uint32_t attributsDos(int dossierFd, const char* nom);
