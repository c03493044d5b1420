#pragma once
// Running the built norvanel-cli in a child process, output captured.

#include <string>
#include <vector>

struct SResultat {
    int code = -1;
    std::string sortie;   // stdout
    std::string erreurs;  // stderr
};

// Runs norvanel-cli with `arguments` (no shell), stdin from /dev/null.
SResultat lancer(const std::vector<std::string>& arguments);

std::string lireFichier(const std::string& chemin);
