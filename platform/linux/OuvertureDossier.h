#pragma once
// Opening a folder for reading its entries, whatever the length of its path.

#include <string>

// A file descriptor on the folder `chemin` (the caller closes it), or -1 when it is not
// a folder or cannot be opened. Paths longer than the kernel's PATH_MAX are opened one
// component at a time, so a deep tree is read to the bottom.
int ouvrirDossier(const std::string& chemin);
