#include "storage/CopieCreuse.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "storage/EcritureSure.h"

namespace {

constexpr std::size_t kBloc = 1 << 20;

// The start of the next data at or after `pos` (`fin` when only a hole is left), or
// -1 with errno set. A file system that cannot tell says data everywhere.
off_t prochainesDonnees(int fd, off_t pos, off_t fin)
{
    const off_t r = ::lseek(fd, pos, SEEK_DATA);
    if (r >= 0)
        return std::min(r, fin);
    if (errno == ENXIO)
        return fin;
    return errno == EINVAL || errno == EOPNOTSUPP ? pos : -1;
}

off_t prochainTrou(int fd, off_t pos, off_t fin)
{
    const off_t r = ::lseek(fd, pos, SEEK_HOLE);
    return r >= 0 ? std::min(r, fin) : fin;
}

int copierDonnees(int source, off_t pos, off_t fin, int destination, const SAppelsEcriture& appels,
                  std::vector<char>& tampon)
{
    while (pos < fin) {
        const std::size_t voulu = static_cast<std::size_t>(std::min<off_t>(fin - pos, static_cast<off_t>(tampon.size())));
        const ssize_t lus = ::pread(source, tampon.data(), voulu, pos);
        if (lus < 0 && errno == EINTR)
            continue;
        if (lus <= 0)
            return lus < 0 ? errno : EIO;
        if (const int erreur = ecrireEntierement(appels, destination, tampon.data(), static_cast<std::size_t>(lus)))
            return erreur;
        pos += lus;
    }
    return 0;
}

} // namespace

int copierCreux(int source, std::uint64_t debut, std::uint64_t n, int destination, const SAppelsEcriture& appels)
{
    struct stat taille {};
    if (::fstat(source, &taille) != 0)
        return errno;
    if (static_cast<std::uint64_t>(taille.st_size) < debut + n)
        return EIO;  // shorter than what was read from it
    std::vector<char> tampon(kBloc);
    off_t pos = static_cast<off_t>(debut);
    const off_t fin = static_cast<off_t>(debut + n);
    while (pos < fin) {
        const off_t donnees = prochainesDonnees(source, pos, fin);
        if (donnees < 0)
            return errno;
        if (donnees > pos) {
            // A hole: the destination skips it, and stays a hole there.
            if (::lseek(destination, donnees - pos, SEEK_CUR) < 0)
                return errno;
            pos = donnees;
            continue;
        }
        const off_t trou = prochainTrou(source, pos, fin);
        if (const int erreur = copierDonnees(source, pos, trou, destination, appels, tampon))
            return erreur;
        pos = trou;
    }
    // Ending on a hole: the size must still reach its end.
    const off_t ici = ::lseek(destination, 0, SEEK_CUR);
    struct stat st {};
    if (ici < 0 || ::fstat(destination, &st) != 0)
        return errno;
    if (st.st_size < ici && appels.tronquer(destination, ici) != 0)
        return errno;
    return 0;
}
