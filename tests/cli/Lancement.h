#pragma once
// Running the built norvanel-cli (or another program) in a child process, output captured.

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

// The same with stdout sent to `sortie` (e.g. /dev/full), or when it is empty to a pipe
// nobody reads: its reading end is closed before the program starts. `sortie` of the
// result stays empty.
SResultat lancerVers(const std::vector<std::string>& arguments, const std::string& sortie);

// Runs `programme` with `arguments` and exactly the variables `environnement`
// ("NOM=valeur"), stdin from /dev/null.
SResultat lancerProgramme(const std::string& programme, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environnement);

std::string lireFichier(const std::string& chemin);

// Where the programs run by lancer() keep their cache: a folder of the test's own.
std::string dossierCacheDesTests();
