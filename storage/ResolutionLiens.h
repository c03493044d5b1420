#pragma once
// The path of a file we are about to write, resolved link by link as the kernel's
// protected_symlinks rule resolves it: a symbolic link that sits in a sticky folder
// every user may write (/tmp, a shared drop folder) is followed only when it belongs
// to us or to the folder's owner. Otherwise another user could plant there a link to
// one of our files and have a save or a PDF overwrite it, on machines where that rule
// is off as well as where it is on.

#include <string>

#include "platform/Resultat.h"

// Puts in `cible` the path `chemin` leads to, with no symbolic link left in it (relative
// when `chemin` is). A last component that does not exist is kept: a new file. Or why the
// path is refused, in French.
CResultat<> resoudreCheminEcrit(const std::string& chemin, std::string& cible);
