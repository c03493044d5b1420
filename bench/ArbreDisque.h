#pragma once
// The on-disk tree of the capture benchmarks, made once from a seed: 200 000 files in
// 20 000 folders by default, up to 8 deep, accented and non-Latin names, hidden entries, names
// repeated from folder to folder, sizes set with ftruncate (so the files hold no data,
// a few sparse ones past 4 GiB) and times spread over 2000-2026.
//
// The tree goes to `dossier`/arbre; `dossier`/arbre.graine records the seed once the
// tree is complete, so a later run with the same seed reuses it.

#include <cstddef>
#include <cstdint>
#include <string>

struct SArbreDisque {
    std::string racine;          // `dossier`/arbre
    std::size_t fichiers = 0;
    std::size_t dossiers = 0;    // below the root
    bool genere = false;         // made by this call rather than found
    std::string erreur;          // French message; empty on success
};

SArbreDisque preparerArbre(const std::string& dossier, std::uint64_t graine, std::size_t fichiers = 200000,
                           std::size_t dossiers = 20000);
