#pragma once
// A 64-bit hash of the stored values of a file entry, chained one value at a time:
// what the duplicate pass and the comparison of two queries group files by. Equal
// hashes are always confirmed on the values themselves, so the hash only has to
// spread different values well (the comparison distributes on its top bits).

#include <cstdint>

#include "model/CDate.h"
#include "model/CDateHeure.h"

// Chains `valeur` into `h` (splitmix64's finaliser over the combined value).
inline std::uint64_t enchainer(std::uint64_t h, std::uint64_t valeur)
{
    h ^= valeur + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
    h ^= h >> 30;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}

inline std::uint64_t enchainerDate(std::uint64_t h, const CDate& d)
{
    return enchainer(h, (std::uint64_t(d.annee) << 32) ^ (std::uint64_t(d.mois) << 16) ^ d.jour);
}

inline std::uint64_t enchainerDateHeure(std::uint64_t h, const CDateHeure& d)
{
    h = enchainerDate(h, d.date);
    return enchainer(h, (std::uint64_t(d.heure) << 32) ^ (std::uint64_t(d.minute) << 16) ^ d.seconde);
}
