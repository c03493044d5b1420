#include "platform/linux/DossierPrive.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool dossierAMoiSeul(const std::string& chemin)
{
    if (chemin.empty() || chemin.front() != '/')
        return false;
    // O_NOFOLLOW: a link in its place is refused, wherever it points.
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool lu = ::fstat(fd, &st) == 0;
    ::close(fd);
    return lu && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

bool preparerDossierPrive(const std::string& chemin)
{
    // A relative path is refused before anything is made where the program happens to run.
    if (chemin.empty() || chemin.front() != '/')
        return false;
    if (::mkdir(chemin.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    return dossierAMoiSeul(chemin);
}
