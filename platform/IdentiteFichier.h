#pragma once
// What tells whether a file is still the one read or written earlier: another program
// that rewrote it, or renamed a new file over it, changes at least one of these.

#include <cstdint>
#include <optional>
#include <string>

struct SIdentiteFichier {
    std::uint64_t peripherique = 0;
    std::uint64_t inode = 0;
    std::int64_t taille = 0;
    std::int64_t modificationSecondes = 0;
    std::int64_t modificationNanos = 0;

    bool operator==(const SIdentiteFichier&) const = default;
    // The same file, whatever its content.
    bool memeFichier(const SIdentiteFichier& autre) const
    {
        return peripherique == autre.peripherique && inode == autre.inode;
    }
};

// Of the file at `chemin` (a symbolic link followed), or of an open descriptor;
// nullopt when it cannot be examined (errno says why).
std::optional<SIdentiteFichier> identiteFichier(const std::string& chemin);
std::optional<SIdentiteFichier> identiteDescripteur(int fd);
