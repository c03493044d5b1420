#pragma once
// File records read one by one where a kept index says they start, from a catalogue
// open as a descriptor, without reading the rest of it: what prints a few files found
// in a catalogue of millions.

#include <cstdint>
#include <string>

class CDossier;
class CFichier;

class CLecteurEnregistrements {
public:
    // `fd` is read with pread (its offset stays where it is), up to `taille` bytes.
    CLecteurEnregistrements(int fd, std::uint64_t taille) : fd_(fd), taille_(taille) {}

    // The record at `position`, read into a new entry of `dossier`; null when there is
    // none there (a read error, the end of the file, bytes that are not a record).
    CFichier* lire(std::uint64_t position, CDossier& dossier);

private:
    // Makes the window hold `position` and at least `voulus` bytes after it, or all
    // that remains; false on a read error.
    bool charger(std::uint64_t position, std::size_t voulus);

    int fd_;
    std::uint64_t taille_;
    // Records of one folder lie end to end: one read serves its files found.
    std::uint64_t debutFenetre_ = 0;
    std::string fenetre_;
};
