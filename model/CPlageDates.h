#pragma once
// An inclusive range of dates with its on/off flag: one date criterion of a search or
// of a query's capture filter.

#include "model/CDate.h"
#include "model/CDateHeure.h"

#include <cstddef>

class CPlageDates {
public:
    bool actif = false;
    CDate du;
    CDate au;

    // Stored image: byte 0 the flag, bytes 1-3 zero, then the two 12-byte date images.
    static constexpr std::size_t kTailleImage = 28;

    // The range a new criteria record starts with: off, from today to today. Plain
    // construction gives zero dates instead, so that it never needs the platform.
    static CPlageDates parDefaut();

    friend bool operator==(const CPlageDates&, const CPlageDates&) = default;

    // du <= date <= au. The flag is not looked at: the caller tests it. A range whose
    // start is after its end contains nothing.
    bool contient(const CDate& date) const;
    // Only the date part counts; the time of day never does.
    bool contient(const CDateHeure& dateHeure) const { return contient(dateHeure.date); }

    void ecrireImage(unsigned char* image) const; // kTailleImage bytes
    // Any non-zero flag byte reads as on.
    static CPlageDates lireImage(const unsigned char* image);
};
