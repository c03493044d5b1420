#pragma once
// What a comparison found, counted while the statuses are decided: the status bar
// tells it once the comparison has run.

#include <cstddef>

struct SDecompteComparaison {
    std::size_t seulsDansPremiere = 0;    // files of the first query without counterpart
    std::size_t seulsDansSeconde = 0;     // files of the second query without counterpart
    std::size_t premiereDansLesDeux = 0;  // files of the first query with a counterpart

    bool operator==(const SDecompteComparaison&) const = default;
};
