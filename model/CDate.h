#pragma once
// A local calendar date, as stored for a file's last access and as the bounds of a
// date range. A day of 0 means "no date".

#include "platform/CPlateforme.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>

// Outcome of CDate::valider; the value also tells which field is wrong (1 day,
// 2 month, 3 year), which is where a dialog puts the focus back.
enum class EValiditeDate { Valide = 0, JourInvalide = 1, MoisInvalide = 2, AnneeInvalide = 3 };

class CDate {
public:
    std::uint32_t jour = 0;
    std::uint32_t mois = 0;
    std::uint32_t annee = 0;

    // Stored image: day, month, year as little-endian 32-bit words.
    static constexpr std::size_t kTailleImage = 12;

    // Only to a named value (see CDateHeure).
    CDate& operator=(const CDate&) & = default;

    friend bool operator==(const CDate&, const CDate&) = default;
    // Year, then month, then day, as unsigned values.
    friend std::strong_ordering operator<=>(const CDate& a, const CDate& b);

    // Checks day 0 first, then the day against the month's length (when the month is
    // valid), then the month, then the year (1970..2106).
    EValiditeDate valider() const;

    // The user's short date form, through the platform.
    std::string texte() const;

    void ecrireImage(unsigned char* image) const; // kTailleImage bytes
    static CDate lireImage(const unsigned char* image);
};

// 0 when equal, -1 when `a` comes first, +1 otherwise (the order of date columns).
int comparer3(const CDate& a, const CDate& b);

bool estBissextile(std::uint32_t annee);
// Length of a month (1..12) of the given year.
std::uint32_t joursDansMois(std::uint32_t mois, std::uint32_t annee);

// Today's local date.
CDate aujourdhui();
// The local date of a file time.
CDate dateDepuisTempsFichier(TempsFichier t);
