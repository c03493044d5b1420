#pragma once
// What the date fields of a dialog exchange with a CDate or a CPlageDates, kept apart
// from the widgets so that it is tested on its own. A date is shown in three edit
// fields (day, month, year); a range in a check box and two such triples.

#include "model/CDate.h"
#include "model/CPlageDates.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// The value of one date field: a decimal integer, sign and surrounding spaces allowed.
// Empty text, anything else than such a number, a negative number or one beyond
// 2 147 483 647 reads as 0, which no date accepts as a day or a month.
std::uint32_t lireChampDate(std::string_view texte);

CDate dateDepuisChamps(std::string_view jour, std::string_view mois, std::string_view annee);

// The texts "%02u", "%02u", "%04u" of day, month and year; nothing when any of the three
// is 0, in which case the fields keep what they show.
std::optional<std::array<std::string, 3>> champsDepuisDate(const CDate& date);

// Field order of a range: from-day, from-month, from-year, to-day, to-month, to-year.
using ChampsPlage = std::array<std::string_view, 6>;

// A range that cannot be accepted: the field to put the focus on (0..5, in the order
// of ChampsPlage), that of the first invalid date and of the field its validation
// blamed.
struct SDateInvalide {
    int champ = 0;
};

// Reads a range from its check box and six fields. When the box is checked, the start
// date then the end date must be valid; when it is not, the dates are kept unchecked.
std::variant<CPlageDates, SDateInvalide> plageDepuisChamps(bool coche, const ChampsPlage& champs);

// What a range shows: its check box and, for each date, the three texts or nothing.
struct SAffichagePlage {
    bool coche = false;
    std::optional<std::array<std::string, 3>> du;
    std::optional<std::array<std::string, 3>> au;
};
SAffichagePlage affichageDepuisPlage(const CPlageDates& plage);

