#include "platform/AppelsEcriture.h"

#include <stdio.h>
#include <unistd.h>

SAppelsEcriture SAppelsEcriture::systeme()
{
    return {[](int fd, const void* o, std::size_t n) { return ::write(fd, o, n); },
            [](int fd) { return ::fsync(fd); },
            [](const char* de, const char* vers) { return ::rename(de, vers); },
            [](int fd, off_t taille) { return ::ftruncate(fd, taille); }};
}
