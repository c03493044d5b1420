#pragma once
// Shared by the screen tests and their main.

#include <string>

namespace ecran {

// Why the tests cannot run (no X display to be had), or empty.
inline std::string& raisonSansEcran()
{
    static std::string raison;
    return raison;
}

} // namespace ecran
