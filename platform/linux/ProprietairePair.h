#pragma once
// Who is at the other end of a local socket, as the kernel saw it when the connection
// was made (SO_PEERCRED): a name alone proves nothing, anyone may have bound it.

#include <sys/types.h>

// True when the process at the other end of the connected local socket `fd` runs as
// this process's user. False when it does not, or when the kernel cannot tell.
bool pairEstDuMemeUtilisateur(int fd);
