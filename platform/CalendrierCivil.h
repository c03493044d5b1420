#pragma once
// Calendar fields of a count of seconds from 1970 with no time zone: the proleptic
// Gregorian calendar the C library uses.

#include <cstdint>
#include <ctime>

#include "platform/CPlateforme.h"

// All fields 0 for a year before 0.
SCalendrier calendrierSansDecalage(std::int64_t secondes);

// The fields of a broken-down time; all 0 for a year before 0, and a leap second as
// second 59.
SCalendrier calendrierDepuisTm(const std::tm& tm);

inline bool memeCalendrier(const SCalendrier& a, const SCalendrier& b)
{
    return a.annee == b.annee && a.mois == b.mois && a.jour == b.jour && a.heure == b.heure && a.minute == b.minute &&
           a.seconde == b.seconde;
}
