#pragma once
// What tells whether a file is still the one read or written earlier: another program
// that rewrote it, or renamed a new file over it, changes at least one of these.

#include <cstddef>
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

// What names a catalogue's content well enough to use what was computed from it: its
// identity, the time of its inode's last change (which, unlike the modification
// time, no program can set back) and a checksum (sommeRapide) of its first 4 KiB.
struct SIdentiteCatalogue {
    SIdentiteFichier fichier;
    std::int64_t changementNanos = 0;
    std::uint64_t sommeEntete = 0;
    bool operator==(const SIdentiteCatalogue&) const = default;
};
inline constexpr std::size_t kOctetsSommeEntete = 4096;

// Of the regular file open as `fd` (read with pread: its offset stays where it is);
// nullopt when it cannot be examined or read.
std::optional<SIdentiteCatalogue> identiteCatalogue(int fd);

// `chemin` absolute, with no symbolic link, "." nor ".." left: what names one file
// however it is reached; empty when it cannot be resolved.
std::string cheminReel(const std::string& chemin);
