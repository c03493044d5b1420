#include "platform/linux/OuvertureDossier.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// O_NONBLOCK: should the name turn out to be a FIFO, never wait on it.
constexpr int kDrapeauxLecture = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;

// True when the soft limit on open descriptors could be raised.
bool releverLimiteDescripteurs()
{
    struct rlimit limite {};
    if (getrlimit(RLIMIT_NOFILE, &limite) != 0 || limite.rlim_cur >= limite.rlim_max)
        return false;
    limite.rlim_cur = limite.rlim_max;
    return setrlimit(RLIMIT_NOFILE, &limite) == 0;
}

// The caller reports the errno of the open before it.
void fermerEnGardantErrno(int fd)
{
    const int erreur = errno;
    close(fd);
    errno = erreur;
}

// `ouvrir` again once the soft limit on descriptors is raised to the hard one, when it
// failed for want of them.
template <class Ouvrir>
int avecRelevement(Ouvrir&& ouvrir)
{
    const int fd = ouvrir();
    if (fd >= 0 || errno != EMFILE)
        return fd;
    if (releverLimiteDescripteurs())
        return ouvrir();
    errno = EMFILE;
    return -1;
}

int ouvrirParComposants(const std::string& chemin)
{
    int fd = open(chemin.front() == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::size_t debut = 0;
    while (fd >= 0) {
        debut = chemin.find_first_not_of('/', debut);
        if (debut == std::string::npos) // only separators left: `fd` is the folder
            break;
        std::size_t fin = chemin.find('/', debut);
        if (fin == std::string::npos)
            fin = chemin.size();
        const std::string composant = chemin.substr(debut, fin - debut);
        const int suivant = openat(fd, composant.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        fermerEnGardantErrno(fd);
        fd = suivant;
        debut = fin;
    }
    if (fd < 0)
        return -1;
    // Reopen the path descriptor for reading: O_PATH ones cannot list entries.
    const int lecture = openat(fd, ".", kDrapeauxLecture);
    fermerEnGardantErrno(fd);
    return lecture;
}

} // namespace

int ouvrirDossier(const std::string& chemin)
{
    if (chemin.empty()) {
        errno = ENOENT;
        return -1;
    }
    return avecRelevement([&] {
        const int fd = open(chemin.c_str(), kDrapeauxLecture);
        if (fd < 0 && errno == ENAMETOOLONG)
            return ouvrirParComposants(chemin);
        return fd;
    });
}

int ouvrirParent(int fd)
{
    // ".." is never a link; the caller checks which folder it is.
    return avecRelevement([&] { return openat(fd, "..", kDrapeauxLecture); });
}

int ouvrirSousDossier(int parentFd, const char* nom)
{
    // O_NOFOLLOW: a name swapped for a link since it was examined is not followed.
    return avecRelevement([&] { return openat(parentFd, nom, kDrapeauxLecture | O_NOFOLLOW); });
}
