#pragma once
// Opening a folder for reading its entries, whatever the length of its path.

#include <string>

// A file descriptor on the folder `chemin` (the caller closes it), or -1 with errno set
// when it is not a folder or cannot be opened. Paths longer than the kernel's PATH_MAX
// are opened one component at a time, so a deep tree is read to the bottom. Each of
// these opens, when the descriptors run out, raises the soft limit to the hard one and
// tries again.
int ouvrirDossier(const std::string& chemin);

// A file descriptor on the folder `nom` of the open folder `parentFd`, or -1 with errno
// set when it is not a folder (a symbolic link to one included) or cannot be opened. A
// walk holds one descriptor per level.
int ouvrirSousDossier(int parentFd, const char* nom);

// A file descriptor on the folder that holds the open folder `fd`, or -1 with errno set.
int ouvrirParent(int fd);
