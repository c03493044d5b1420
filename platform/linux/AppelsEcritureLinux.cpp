#include "platform/AppelsEcriture.h"

#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

SAppelsEcriture SAppelsEcriture::systeme()
{
    return {[](int fd, const void* o, std::size_t n) { return ::write(fd, o, n); },
            [](int fd) { return ::fsync(fd); },
            [](const char* de, const char* vers) { return ::rename(de, vers); },
            [](int fd, off_t taille) { return ::ftruncate(fd, taille); },
            [](int fd, void* o, std::size_t n) { return ::read(fd, o, n); },
            [](int fd, int operation) { return ::flock(fd, operation); }};
}
