#pragma once
// Running the built norvanel-cli in a child process, output captured.

#include <chrono>
#include <string>
#include <vector>

struct SResultat {
    int code = -1;
    std::string sortie;   // stdout
    std::string erreurs;  // stderr
};

// How long a run may take before it is killed (its code is then 128 + 9).
inline constexpr std::chrono::seconds kDelaiMaximal{60};

// Runs norvanel-cli with `arguments` (no shell), stdin from /dev/null.
SResultat lancer(const std::vector<std::string>& arguments);

std::string lireFichier(const std::string& chemin);
