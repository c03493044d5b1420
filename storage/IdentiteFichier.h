#pragma once
// The identity of a file on disk, to tell later whether it is still the one read or
// written (platform/IdentiteFichier.h).

#include "platform/IdentiteFichier.h"

#include <optional>
#include <string>

// Of the file at `chemin` (a symbolic link followed), or of an open descriptor;
// nullopt when it cannot be examined (errno says why).
std::optional<SIdentiteFichier> identiteFichier(const std::string& chemin);
std::optional<SIdentiteFichier> identiteDescripteur(int fd);
