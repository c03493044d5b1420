#pragma once
// A local date and time to the second, as stored for a file's creation and last
// modification.

#include "model/CDate.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>

class CDateHeure {
public:
    CDate date;
    std::uint32_t heure = 0;
    std::uint32_t minute = 0;
    std::uint32_t seconde = 0;

    // Stored image: nine little-endian 32-bit words (see ecrireImage).
    static constexpr std::size_t kTailleImage = 36;

    // Only to a named value: an entry's dates are read by value, and assigning to one
    // would change nothing.
    CDateHeure& operator=(const CDateHeure&) & = default;

    friend bool operator==(const CDateHeure&, const CDateHeure&) = default;
    // Year, month, day, hour, minute, second: the members' order gives exactly that.
    friend std::strong_ordering operator<=>(const CDateHeure&, const CDateHeure&) = default;

    // Date text, one space, time text without seconds.
    std::string texte() const;

    void ecrireImage(unsigned char* image) const; // kTailleImage bytes
    static CDateHeure lireImage(const unsigned char* image);
};

// 0 when equal, -1 when `a` comes first, +1 otherwise.
int comparer3(const CDateHeure& a, const CDateHeure& b);

// The local date and time of a file time.
CDateHeure dateHeureDepuisTempsFichier(TempsFichier t);
