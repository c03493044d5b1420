#pragma once
// Running a child as an ordinary user: root ignores permissions, and our users are
// not root. When the tests run as root, the child runs as uid and gid 65534 through
// setpriv; otherwise as the user running the tests, who is ordinary already.

#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/commun/CommandeExterne.h"

inline constexpr uid_t kUtilisateurOrdinaire = 65534;

// `argv` as the ordinary user; nullopt when root cannot start it so (no setpriv).
inline std::optional<std::vector<std::string>> commeUtilisateurOrdinaire(const std::vector<std::string>& argv)
{
    if (::geteuid() != 0)
        return argv;
    const auto setpriv = trouverProgramme("setpriv");
    if (!setpriv)
        return std::nullopt;
    std::vector<std::string> r = {*setpriv, "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    r.insert(r.end(), argv.begin(), argv.end());
    return r;
}

// Gives `chemin` to the ordinary user, when the tests run as root.
inline bool donnerAUtilisateurOrdinaire(const std::string& chemin)
{
    return ::geteuid() != 0 || ::chown(chemin.c_str(), kUtilisateurOrdinaire, kUtilisateurOrdinaire) == 0;
}
