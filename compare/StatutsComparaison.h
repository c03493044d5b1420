#pragma once
// Comparison statuses, decided from hashes of the compared values without testing
// every file of one query against every file of the other.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compare/DecompteComparaison.h"

class CFichier;
struct SAvancement;
struct SOptionsComparaison;

// Comparison status of a file, kept in its found mark after a comparison.
enum : std::int32_t {
    kStatutSeulDansPremiere = 0,
    kStatutSeulDansSeconde = 1,
    kStatutDansLesDeux = 2,
};

// A status in words, for a list handed to another program: "Seulement dans « A »",
// "Seulement dans « B »", "Dans les deux", A and B the queries' names.
std::string texteStatut(std::int32_t statut, std::string_view premiere, std::string_view seconde);

// A file of either query and its key: the hash of its compared values in the upper
// 63 bits, its query in the lowest (0 the first, 1 the second), so that in key order
// the files of one hash come together, the first query's before the second's.
struct SEntreeComparaison {
    std::uint64_t cle;
    CFichier* fichier;
};

inline std::uint64_t cleDeComparaison(std::uint64_t hachage, bool seconde)
{
    return (hachage << 1) | std::uint64_t(seconde);
}

// Writes into each file's found mark its status: 2 when a file of the other query is
// its counterpart under `options` (sontContreparties), exactly as if it were tested
// against every one of them; else 0 or 1 by its query. Counterparts must share a
// hash. The entries are reordered. Gives how many files got each status.
SDecompteComparaison deciderStatuts(std::vector<SEntreeComparaison>& entrees, const SOptionsComparaison& options,
                                    SAvancement* avancement = nullptr);
