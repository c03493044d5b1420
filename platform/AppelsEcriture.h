#pragma once
// The system calls that decide whether a save reached the disk, whether a load read a
// catalogue whole, and the lock of a catalogue's writers, one function each so that a test can make any of them fail
// (platform/fake/AppelsEcritureFactice.h). The real ones are platform/linux's. Each
// answers as the system call does: -1 and errno on failure.

#include <sys/types.h>

#include <cstddef>
#include <functional>

struct SAppelsEcriture {
    std::function<ssize_t(int fd, const void* octets, std::size_t n)> ecrire;
    std::function<int(int fd)> synchroniser;  // fsync of the file, then of its folder
    // Renames `de` over `vers`: what puts a saved file in place of the old one.
    std::function<int(const char* de, const char* vers)> renommer;
    // Sets the length of the open file `fd`: what empties a file rewritten in place.
    std::function<int(int fd, off_t taille)> tronquer;
    // Reads of a catalogue being loaded.
    std::function<ssize_t(int fd, void* octets, std::size_t n)> lire;
    // flock() of the open file `fd`: the lock writers of a catalogue take, and the one
    // a save holds on its temporary.
    std::function<int(int fd, int operation)> verrouiller;

    static SAppelsEcriture systeme();
};
