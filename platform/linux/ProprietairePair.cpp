#include "platform/linux/ProprietairePair.h"

#include <sys/socket.h>
#include <unistd.h>

bool pairEstDuMemeUtilisateur(int fd)
{
    struct ucred pair {};
    socklen_t taille = sizeof pair;
    if (fd < 0 || ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &pair, &taille) != 0 || taille != sizeof pair)
        return false;
    return pair.uid == ::geteuid();
}
