#pragma once
// The least a capture of a tree has to do, as a yardstick: a depth-first walk with
// openat/fdopendir/readdir and statx relative to the folder's descriptor (links not
// followed), each entry's path, size, mode and three times kept in a vector, the times
// turned into local calendar fields with localtime_r as a capture must.

#include <cstdint>
#include <string>
#include <vector>

struct SHeureLocale {
    std::uint16_t annee = 0;
    std::uint8_t mois = 0, jour = 0, heure = 0, minute = 0, seconde = 0;
};

struct SEntreePlancher {
    std::string chemin;
    std::uint64_t taille = 0;
    std::uint32_t mode = 0;
    SHeureLocale cree, modifie, accede;
};

// False when the root cannot be opened; unreadable sub-folders are skipped.
bool parcourirPlancher(const std::string& racine, std::vector<SEntreePlancher>& entrees);
